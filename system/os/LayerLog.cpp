#include "system/os/LayerLog.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace sys {
namespace {

std::atomic<LogWriter> gWriter{nullptr};

}  // namespace

void SetLogWriter(LogWriter writer) { gWriter.store(writer); }

void WriteLog(const char* format, ...) {
  char line[2048];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  if (LogWriter writer = gWriter.load()) {
    writer(line);
  } else {
    std::fprintf(stderr, "%s\n", line);
  }
}

}  // namespace sys
