#include "tests/media/display/DisplayRig.h"

#include "platform/text/Log.h"

DisplayRig::DisplayRig() {
  SetLogFolder(logs.Path().c_str());
  auto fake = std::make_unique<FakeNativeWindow>();
  native = fake.get();
  window = std::make_unique<sys::Window>(std::move(fake));
  platform.mainWindow = window.get();
  for (uint32_t bits : {16u, 32u}) {
    config.modes.push_back({800, 600, bits});
    config.modes.push_back({640, 480, bits});
  }
  MakeAdapter();
}

void DisplayRig::MakeAdapter() {
  native->SetDesktop(config.desktop.width, config.desktop.height);
  native->workArea = config.desktop.workArea;
  adapter = sys::gfx::Adapter::Create(config);
}

void DisplayRig::SetDesktop(int32_t width, int32_t height, int32_t colors) {
  config.desktop.width = width;
  config.desktop.height = height;
  config.desktop.colors = colors;
  config.desktop.workArea = sys::gfx::SizeRect(width, height);
  MakeAdapter();
}
