#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/text/TString.h"

// Reading the command line the program was started with, one text as the
// framework keeps it. Switches are found by a plain, case-sensitive search
// anywhere in the line.

bool HasSwitch(const char* line, const char* name);

// The hexadecimal window handle right after "-wnd="; 0 when the switch is
// absent or no number follows it.
uint32_t ReadHostWindowHandle(const char* line);

// The cheat code: the rest of the line from one separator character after
// "--cheat"; "" when the line ends before that or holds no "--cheat".
TString ReadCheatCode(const char* line);

// The program named after "-host=": the word up to the next blank, at most
// 259 characters; "" without one.
TString ReadHostProgram(const char* line);

// Stores the pairs name=value that follow "options=" into the settings.
// Pairs are joined by "&"; a value ends at the next "&", or, when no "&"
// follows, at the next blank. Reading stops at a blank where a pair should
// begin, or at a pair without "=".
void ReadOptions(const char* line, std::map<TString, TString>& settings);

// The arguments after the program's name joined by blanks: the form in which
// the framework reads its command line.
std::string JoinCommandLine(int argc, const char* const* argv);
