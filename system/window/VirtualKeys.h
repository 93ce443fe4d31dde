#pragma once

#include <cstdint>

// Key codes as the framework reads them: the numbering of Windows virtual
// keys, which the framework's key handling and its scripts are written for.
// Letters and digits are their upper-case ASCII codes ('A', '7').
namespace sys::vk {

constexpr uint32_t kBackspace = 0x08;
constexpr uint32_t kTab = 0x09;
constexpr uint32_t kClear = 0x0C;
constexpr uint32_t kReturn = 0x0D;
constexpr uint32_t kShift = 0x10;
constexpr uint32_t kControl = 0x11;
constexpr uint32_t kAlt = 0x12;
constexpr uint32_t kPause = 0x13;
constexpr uint32_t kCapsLock = 0x14;
constexpr uint32_t kEscape = 0x1B;
constexpr uint32_t kSpace = 0x20;
constexpr uint32_t kPageUp = 0x21;
constexpr uint32_t kPageDown = 0x22;
constexpr uint32_t kEnd = 0x23;
constexpr uint32_t kHome = 0x24;
constexpr uint32_t kLeft = 0x25;
constexpr uint32_t kUp = 0x26;
constexpr uint32_t kRight = 0x27;
constexpr uint32_t kDown = 0x28;
constexpr uint32_t kPrintScreen = 0x2C;
constexpr uint32_t kInsert = 0x2D;
constexpr uint32_t kDelete = 0x2E;
constexpr uint32_t kLeftSystem = 0x5B;
constexpr uint32_t kRightSystem = 0x5C;
constexpr uint32_t kMenu = 0x5D;
constexpr uint32_t kPad0 = 0x60;  // to kPad0 + 9
constexpr uint32_t kPadMultiply = 0x6A;
constexpr uint32_t kPadAdd = 0x6B;
constexpr uint32_t kPadSubtract = 0x6D;
constexpr uint32_t kPadDecimal = 0x6E;
constexpr uint32_t kPadDivide = 0x6F;
constexpr uint32_t kF1 = 0x70;  // to kF1 + 23
constexpr uint32_t kNumLock = 0x90;
constexpr uint32_t kScrollLock = 0x91;
constexpr uint32_t kSemicolon = 0xBA;
constexpr uint32_t kEquals = 0xBB;
constexpr uint32_t kComma = 0xBC;
constexpr uint32_t kMinus = 0xBD;
constexpr uint32_t kPeriod = 0xBE;
constexpr uint32_t kSlash = 0xBF;
constexpr uint32_t kGrave = 0xC0;
constexpr uint32_t kLeftBracket = 0xDB;
constexpr uint32_t kBackslash = 0xDC;
constexpr uint32_t kRightBracket = 0xDD;
constexpr uint32_t kQuote = 0xDE;
constexpr uint32_t kExtraBackslash = 0xE2;  // the key beside left Shift on ISO keyboards

}  // namespace sys::vk
