// Feeds arbitrary text to the game's reading of its command line: the
// download link of "url=", the hiscore mode of "-anon " and the portal mode
// of "-msn" and "-aol". The text is a command line as the framework keeps it
// (up to its first zero byte). What is read must come from the line: the
// link is a piece of it, the modes stay within their ranges, and "-msn" wins.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/gui/main/TGameApp.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  std::string line(reinterpret_cast<const char*>(data), size);
  line = line.c_str();
  TGameApp& app = TGameApp::Instance();
  int32_t portalBefore = app.GetPortalMode();
  app.ParseCommandLine(line.c_str());
  const TString& link = app.GetDownloadLink();
  Require(line.find(link.CStr()) != std::string::npos);
  Require(link.IsEmpty() || line.find("url=") != std::string::npos);
  Require(app.GetHiscoreMode() >= 0 && app.GetHiscoreMode() <= 2);
  bool msn = line.find("-msn") != std::string::npos;
  bool aol = line.find("-aol") != std::string::npos;
  Require(app.GetPortalMode() == (msn ? 1 : aol ? 2 : portalBefore));
  return 0;
}
