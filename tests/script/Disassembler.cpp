#include "tests/script/Disassembler.h"

#include <cstdio>

#include "script/lua/OpCodes.h"

namespace {

const char* const kOpNames[NUM_OPCODES] = {
    "MOVE",    "LOADK",   "LOADBOOL", "LOADNIL",  "GETUPVAL", "GETGLOBAL", "GETTABLE", "SETGLOBAL",
    "SETUPVAL", "SETTABLE", "NEWTABLE", "SELF",   "ADD",      "SUB",       "MUL",      "DIV",
    "BAND",    "BOR",     "SHL",      "SHR",      "POW",      "UNM",       "NOT",      "CONCAT",
    "JMP",     "EQ",      "LT",       "LE",       "TEST",     "CALL",      "TAILCALL", "RETURN",
    "FORLOOP", "TFORLOOP", "TFORPREP", "SETLIST", "SETLISTO", "CLOSE",     "CLOSURE"};

// Which of A, B and C an iABC instruction uses.
struct Operands {
  bool a, b, c;
};

Operands UsedOperands(OpCode op) {
  switch (op) {
    case OP_CLOSE:
      return {true, false, false};
    case OP_MOVE:
    case OP_LOADNIL:
    case OP_GETUPVAL:
    case OP_SETUPVAL:
    case OP_UNM:
    case OP_NOT:
    case OP_RETURN:
      return {true, true, false};
    case OP_TFORLOOP:
      return {true, false, true};
    default:
      return {true, true, true};
  }
}

std::string Number(int n) { return std::to_string(n); }

std::string RK(const Proto* f, int operand) {
  return ISK(operand) ? ConstantText(&f->k[operand - MAXSTACK]) : Number(operand);
}

std::string Line(const Proto* f, int pc) {
  const Instruction i = f->code[pc];
  const OpCode op = GET_OPCODE(i);
  std::string text = op < NUM_OPCODES ? kOpNames[op] : "?" + Number(op);
  auto add = [&](const std::string& operand) { text += " " + operand; };
  switch (getOpMode(op)) {
    case iABC: {
      const Operands used = UsedOperands(op);
      if (used.a) add(Number(GETARG_A(i)));
      if (used.b) add(testOpMode(op, OpModeBrk) ? RK(f, GETARG_B(i)) : Number(GETARG_B(i)));
      if (used.c) add(testOpMode(op, OpModeCrk) ? RK(f, GETARG_C(i)) : Number(GETARG_C(i)));
      break;
    }
    case iABx:
      add(Number(GETARG_A(i)));
      add(testOpMode(op, OpModeK) ? ConstantText(&f->k[GETARG_Bx(i)]) : Number(GETARG_Bx(i)));
      break;
    case iAsBx:
      if (op != OP_JMP) add(Number(GETARG_A(i)));
      add("->" + Number(pc + 1 + GETARG_sBx(i)));
      break;
  }
  return text;
}

// Characters between quotes; those outside printable ASCII in `escape' form.
template <class Unit>
std::string Quoted(const char* open, const Unit* text, size_t len, const char* escape) {
  std::string out = open;
  for (size_t i = 0; i < len; i++) {
    const unsigned c = text[i];
    if (c >= 32 && c < 127) {
      out += static_cast<char>(c);
    } else {
      char code[16];
      snprintf(code, sizeof code, escape, c);
      out += code;
    }
  }
  return out + "\"";
}

}  // namespace

std::string ConstantText(const TObject* k) {
  char text[64];
  switch (ttype(k)) {
    case LUA_TNIL:
      return "nil";
    case LUA_TNUMBER:
      snprintf(text, sizeof text, "#%.14g", nvalue(k));
      return text;
    case LUA_TSTRING:
      return Quoted("\"", reinterpret_cast<const unsigned char*>(svalue(k)), tsvalue(k)->len,
                    "\\%d");
    case LUA_TWSTRING:
      return Quoted("L\"", wsvalue(k), tsvalue(k)->len, "\\u{%X}");
    default:
      return "<tag " + Number(ttype(k)) + ">";
  }
}

std::vector<std::string> Disassemble(const Proto* f) {
  std::vector<std::string> lines;
  for (int pc = 0; pc < f->sizecode; pc++) lines.push_back(Line(f, pc));
  return lines;
}
