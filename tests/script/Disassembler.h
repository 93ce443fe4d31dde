#pragma once

#include <string>
#include <vector>

#include "script/lua/Object.h"

// Compiled code as text for tests. One line per instruction: the opcode name
// without its OP_ prefix and the operands the opcode uses. Registers and
// counts are plain numbers; an RK operand naming a constant, and a constant
// index, show the constant itself (#2, "a", L"w", nil); jumps show their
// target pc as ->N. In strings, bytes outside printable ASCII show as \ddd
// and units of wide strings as \u{hex}.
std::vector<std::string> Disassemble(const Proto* f);

// A constant as the disassembler shows it.
std::string ConstantText(const TObject* k);
