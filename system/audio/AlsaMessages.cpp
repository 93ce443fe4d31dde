#include "system/audio/AlsaMessages.h"

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>

#include "system/os/LayerLog.h"

namespace sys {
namespace {

// ALSA's own name for the library SDL loads, and its handler's shape.
constexpr char kAlsaLibrary[] = "libasound.so.2";
using AlsaMessageHandler = void (*)(const char* file, int line, const char* function, int error,
                                    const char* format, ...);
using SetAlsaMessageHandler = int (*)(AlsaMessageHandler handler);

void WriteAlsaMessageToLog(const char*, int, const char*, int, const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  WriteLog("Sound (ALSA): %s", text);
}

}  // namespace

void RouteAlsaMessagesToLog() {
  static void* const library = dlopen(kAlsaLibrary, RTLD_NOW | RTLD_LOCAL);
  if (!library) return;
  auto setHandler = reinterpret_cast<SetAlsaMessageHandler>(dlsym(library, "snd_lib_error_set_handler"));
  if (setHandler) setHandler(WriteAlsaMessageToLog);
}

}  // namespace sys
