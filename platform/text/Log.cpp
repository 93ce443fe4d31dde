#include "platform/text/Log.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "system/os/Folders.h"
#include "system/os/LocalTime.h"

namespace {

constexpr long kWrapThreshold = 102400;
constexpr long kWrapTarget = 51200;
constexpr int kTextLimit = 19999;
constexpr char kWrapBanner[] =
    "\n\n\n\n ****************** LOG WRAP AROUND ******************\n\n\n\n";

// The path is kept as std::string: TString records are not shared across threads.
struct LogState {
  std::mutex mutex;
  std::string path;
  long writePosition = 0;
};

LogState& State() {
  static LogState state;
  return state;
}

// The form of the C library's ctime, without its line feed.
std::string TimeStamp() {
  const sys::LocalDateTime local = sys::LocalNow();
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%.3s %.3s%3d %.2d:%.2d:%.2d %d", kDays[local.weekday % 7],
                kMonths[(local.month + 11) % 12], local.day, local.hour, local.minute, local.second, local.year);
  return stamp;
}

FILE* OpenForUpdate(const char* path) {
  FILE* file = std::fopen(path, "r+");
  return file ? file : std::fopen(path, "w");
}

FILE* OpenLogFile(const std::string& path) {
  FILE* file = path.empty() ? nullptr : OpenForUpdate(path.c_str());
  if (file) return file;
  sys::MakeFolders(sys::CacheFolder());
  return OpenForUpdate(GetFallbackLogPath().CStr());
}

}  // namespace

void SetLogFolder(const TString& folder) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  sys::MakeFolders(folder.CStr());
  state.path = std::string(folder.CStr()) + "/logfile.txt";
  std::remove(state.path.c_str());
  state.writePosition = 0;
}

TString GetLogPath() {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  return TString(state.path.c_str());
}

TString GetFallbackLogPath() { return TString((sys::CacheFolder() + "/ostrivance.log").c_str()); }

void LogPrintf(const char* format, ...) {
  char text[kTextLimit];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  std::string line = TimeStamp() + ": " + text + "\n";

  LogState& state = State();
  std::lock_guard lock(state.mutex);
  FILE* file = OpenLogFile(state.path);
  if (!file) return;
  if (state.writePosition > kWrapThreshold) {
    std::fseek(file, kWrapTarget, SEEK_SET);
    std::fputs(kWrapBanner, file);
  } else {
    std::fseek(file, state.writePosition, SEEK_SET);
  }
  std::fwrite(line.data(), 1, line.size(), file);
  state.writePosition = std::ftell(file);
  std::fflush(file);
  std::fclose(file);
}
