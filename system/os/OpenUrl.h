#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

namespace sys {

// Whether an address may be opened: http, https and mailto only (the scheme
// in any case). Anything else could make the opener run or read local things.
bool IsOpenableUrl(const std::string& address);

// Opens an address with the desktop's opener, or with the given program,
// which gets the address as its one argument. No shell sees the address.
// Refused addresses are logged. Returns whether the program was started; the
// layer reaps it when it ends.
bool OpenUrl(const std::string& address, const std::string& program = "xdg-open");

// What starts the opener; tests put a recorder in its place so that nothing
// is started. Null puts the real one back.
using TUrlOpener = bool (*)(const std::string& address, const std::string& program);
void SetUrlOpener(TUrlOpener opener);

// Starts a program found on PATH with the given arguments, without a shell;
// the caller waits for it. -1 when it cannot be started.
pid_t SpawnProgram(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace sys
