#pragma once

#include "script/lua/Limits.h"

// The virtual machine's instruction word: an unsigned 32-bit value holding the
// opcode in bits 0-5, C in bits 6-14, B in bits 15-23 and A in bits 24-31. B
// and C read together form Bx (unsigned) or sBx (Bx - MAXARG_sBx). Compiled
// chunks store these words, so the layout and the opcode numbers are fixed.

enum OpCode {
  OP_MOVE,       // A B      R(A) := R(B)
  OP_LOADK,      // A Bx     R(A) := K(Bx)
  OP_LOADBOOL,   // A B C    R(A) := (boolean)B; if C then pc++
  OP_LOADNIL,    // A B      R(A) .. R(B) := nil
  OP_GETUPVAL,   // A B      R(A) := UpValue[B]
  OP_GETGLOBAL,  // A Bx     R(A) := Gbl[K(Bx)]
  OP_GETTABLE,   // A B C    R(A) := R(B)[RK(C)]
  OP_SETGLOBAL,  // A Bx     Gbl[K(Bx)] := R(A)
  OP_SETUPVAL,   // A B      UpValue[B] := R(A)
  OP_SETTABLE,   // A B C    R(A)[RK(B)] := RK(C)
  OP_NEWTABLE,   // A B C    R(A) := {} (array size from floating byte B, 2^C nodes)
  OP_SELF,       // A B C    R(A+1) := R(B); R(A) := R(B)[RK(C)]
  OP_ADD,        // A B C    R(A) := RK(B) + RK(C)
  OP_SUB,        // A B C    R(A) := RK(B) - RK(C)
  OP_MUL,        // A B C    R(A) := RK(B) * RK(C)
  OP_DIV,        // A B C    R(A) := RK(B) / RK(C)
  OP_BAND,       // A B C    R(A) := RK(B) & RK(C)   (32-bit)
  OP_BOR,        // A B C    R(A) := RK(B) | RK(C)
  OP_SHL,        // A B C    R(A) := RK(B) << RK(C)
  OP_SHR,        // A B C    R(A) := RK(B) >> RK(C)  (logical)
  OP_POW,        // A B C    R(A) := RK(B) ^ RK(C)   (exclusive or of numbers)
  OP_UNM,        // A B      R(A) := -R(B)
  OP_NOT,        // A B      R(A) := not R(B)
  OP_CONCAT,     // A B C    R(A) := R(B) .. ... .. R(C)
  OP_JMP,        // sBx      pc += sBx
  OP_EQ,         // A B C    if ((RK(B) == RK(C)) ~= A) then pc++
  OP_LT,         // A B C    if ((RK(B) <  RK(C)) ~= A) then pc++
  OP_LE,         // A B C    if ((RK(B) <= RK(C)) ~= A) then pc++
  OP_TEST,       // A B C    if (R(B) <=> C) then R(A) := R(B) else pc++
  OP_CALL,       // A B C    R(A) .. R(A+C-2) := R(A)(R(A+1) .. R(A+B-1))
  OP_TAILCALL,   // A B C    return R(A)(R(A+1) .. R(A+B-1))
  OP_RETURN,     // A B      return R(A) .. R(A+B-2)
  OP_FORLOOP,    // A sBx    R(A) += R(A+2); if R(A) has not passed R(A+1) then pc += sBx
  OP_TFORLOOP,   // A C      R(A+2) .. R(A+2+C) := R(A)(R(A+1), R(A+2)); if R(A+2) == nil then pc++
  OP_TFORPREP,   // A sBx    if R(A) is a table then R(A+1) := R(A), R(A) := next; pc += sBx
  OP_SETLIST,    // A Bx     R(A)[Bx - Bx%32 + i] := R(A+i), 1 <= i <= Bx%32 + 1
  OP_SETLISTO,   // A Bx     the same, with the count taken from the top
  OP_CLOSE,      // A        close every open upvalue of registers >= A
  OP_CLOSURE     // A Bx     R(A) := closure of prototype Bx, upvalues in the next instructions
};

inline constexpr int NUM_OPCODES = OP_CLOSURE + 1;

// Field sizes and positions.
inline constexpr int SIZE_OP = 6;
inline constexpr int SIZE_C = 9;
inline constexpr int SIZE_B = 9;
inline constexpr int SIZE_Bx = SIZE_C + SIZE_B;
inline constexpr int SIZE_A = 8;
inline constexpr int POS_C = SIZE_OP;
inline constexpr int POS_B = POS_C + SIZE_C;
inline constexpr int POS_Bx = POS_C;
inline constexpr int POS_A = POS_B + SIZE_B;

inline constexpr int MAXARG_A = (1 << SIZE_A) - 1;
inline constexpr int MAXARG_B = (1 << SIZE_B) - 1;
inline constexpr int MAXARG_C = (1 << SIZE_C) - 1;
inline constexpr int MAXARG_Bx = (1 << SIZE_Bx) - 1;
inline constexpr int MAXARG_sBx = MAXARG_Bx >> 1;

// A register that does not exist: marks an OP_TEST whose target register is
// not known yet.
inline constexpr int NO_REG = MAXARG_A;

// Registers a function may use; an RK operand (B or C) of MAXSTACK or more
// names constant number (operand - MAXSTACK).
inline constexpr int MAXSTACK = 250;
inline bool ISK(int x) { return x >= MAXSTACK; }

// Items of a table constructor stored by one OP_SETLIST.
inline constexpr int LFIELDS_PER_FLUSH = 32;

namespace opcodes_detail {

inline constexpr Instruction mask(int size, int pos) { return ((Instruction{1} << size) - 1) << pos; }

inline int getfield(Instruction i, int size, int pos) {
  return static_cast<int>((i & mask(size, pos)) >> pos);
}

inline void setfield(Instruction& i, int value, int size, int pos) {
  i = (i & ~mask(size, pos)) | ((static_cast<Instruction>(value) << pos) & mask(size, pos));
}

}  // namespace opcodes_detail

inline OpCode GET_OPCODE(Instruction i) {
  return static_cast<OpCode>(opcodes_detail::getfield(i, SIZE_OP, 0));
}
inline int GETARG_A(Instruction i) { return opcodes_detail::getfield(i, SIZE_A, POS_A); }
inline int GETARG_B(Instruction i) { return opcodes_detail::getfield(i, SIZE_B, POS_B); }
inline int GETARG_C(Instruction i) { return opcodes_detail::getfield(i, SIZE_C, POS_C); }
inline int GETARG_Bx(Instruction i) { return opcodes_detail::getfield(i, SIZE_Bx, POS_Bx); }
inline int GETARG_sBx(Instruction i) { return GETARG_Bx(i) - MAXARG_sBx; }

inline void SET_OPCODE(Instruction& i, OpCode o) { opcodes_detail::setfield(i, o, SIZE_OP, 0); }
inline void SETARG_A(Instruction& i, int a) { opcodes_detail::setfield(i, a, SIZE_A, POS_A); }
inline void SETARG_B(Instruction& i, int b) { opcodes_detail::setfield(i, b, SIZE_B, POS_B); }
inline void SETARG_C(Instruction& i, int c) { opcodes_detail::setfield(i, c, SIZE_C, POS_C); }
inline void SETARG_Bx(Instruction& i, int bx) { opcodes_detail::setfield(i, bx, SIZE_Bx, POS_Bx); }
inline void SETARG_sBx(Instruction& i, int sbx) { SETARG_Bx(i, sbx + MAXARG_sBx); }

inline Instruction CREATE_ABC(OpCode o, int a, int b, int c) {
  Instruction i = 0;
  SET_OPCODE(i, o);
  SETARG_A(i, a);
  SETARG_B(i, b);
  SETARG_C(i, c);
  return i;
}

inline Instruction CREATE_ABx(OpCode o, int a, int bx) {
  Instruction i = 0;
  SET_OPCODE(i, o);
  SETARG_A(i, a);
  SETARG_Bx(i, bx);
  return i;
}

// Operand formats (bits 0-1 of a mode byte).
enum OpMode { iABC, iABx, iAsBx };

// Bits of a mode byte above the format.
enum OpModeMask {
  OpModeBreg = 2,  // B is a register
  OpModeBrk,       // B is a register or a constant
  OpModeCrk,       // C is a register or a constant
  OpModesetA,      // the instruction sets register A
  OpModeK,         // Bx is a constant index
  OpModeT          // a test: the next instruction is a jump
};

// One mode byte per opcode; the code checker reads them.
extern const lu_byte luaP_opmodes[NUM_OPCODES];

inline OpMode getOpMode(OpCode m) { return static_cast<OpMode>(luaP_opmodes[m] & 3); }
inline bool testOpMode(OpCode m, OpModeMask b) { return (luaP_opmodes[m] & (1 << b)) != 0; }
