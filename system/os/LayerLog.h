#pragma once

// The layer reports what goes wrong below the framework (a window that cannot
// be made, a message box shown headless, a refused web address) through one
// writer. The framework's log sits above this layer, so it installs itself
// here at start; until then lines go to standard error.
namespace sys {

using LogWriter = void (*)(const char* line);

// Installs the writer; null returns to standard error. Safe from any thread.
void SetLogWriter(LogWriter writer);
void WriteLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace sys
