#include "tests/support/LayerLogCapture.h"

#include <mutex>

#include "system/os/LayerLog.h"

namespace {

std::mutex gMutex;
std::vector<std::string> gLines;

void Keep(const char* line) {
  std::lock_guard lock(gMutex);
  gLines.emplace_back(line);
}

}  // namespace

LayerLogCapture::LayerLogCapture() {
  gLines.clear();
  sys::SetLogWriter(Keep);
}

LayerLogCapture::~LayerLogCapture() { sys::SetLogWriter(nullptr); }

const std::vector<std::string>& LayerLogCapture::Lines() const { return gLines; }

bool LayerLogCapture::Contains(const std::string& text) const {
  std::lock_guard lock(gMutex);
  for (const std::string& line : gLines) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}
