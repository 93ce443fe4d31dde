#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/text/Log.h"
#include "platform/types/TVec3.h"
#include "system/gfx/Adapter.h"
#include "system/window/Window.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/TempFolder.h"

inline TVec3 Vec(float x, float y, float z) {
  TVec3 v;
  v.x = x;
  v.y = y;
  v.z = z;
  return v;
}

// A display's surroundings: a platform face, a main window over a fake
// desktop of 1024 x 768, an adapter of 800 x 600 and 640 x 480 modes at 16
// and 32 bits (the test alters `config` and calls MakeAdapter again), and
// the log kept in a folder of the test's own.
class DisplayRig : public testing::Test {
 protected:
  DisplayRig();

  // A new adapter from `config`; the fake desktop follows its desktop.
  void MakeAdapter();
  // A new adapter over a desktop of that size and colour count (-1 above
  // 256), all of it work area.
  void SetDesktop(int32_t width, int32_t height, int32_t colors);
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }
  bool Logged(const std::string& text) const { return LogText().find(text) != std::string::npos; }
  // How many times the platform was told of running out of video memory.
  int OutOfVideoMemoryReports() const { return platform.journal.Count("ReportOutOfVideoMemory"); }

  TempFolder logs;
  LayerLogCapture layerLog;
  FakePlatform platform;
  FakeNativeWindow* native = nullptr;  // owned by the window
  std::unique_ptr<sys::Window> window;
  sys::gfx::AdapterConfig config;
  std::shared_ptr<sys::gfx::Adapter> adapter;
};
