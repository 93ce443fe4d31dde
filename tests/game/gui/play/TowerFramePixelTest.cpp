// One frame of the tower view on our display, with our own pictures, read
// back and held against a picture of it made once and looked at: a fixed
// tower of four rings of pieces over the jug pie of level 2-3, its jugs
// filled in steps, its runs of jugs parted by their lines. A frame that
// strays by more than a few steps of rounding on any channel of a few
// pixels fails, and is written to the temporary folder for a look.
//
// To make the picture again after the game's pictures change on purpose, run
// the test with QUORVANE_GOLDEN_UPDATE set and look at the picture written.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/tower/TTower.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "system/gfx/PicturePng.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/rules/LevelRig.h"

namespace GUI {
namespace {

// Paths from the source folder, where the tests run.
const std::string kGoldenTowerFrame = "tests/game/gui/play/golden/tower-frame.png";
constexpr GamePlay::TLevelKey kPieLevel{2, 3};
constexpr int32_t kFilledRings = 4;
constexpr int32_t kFrameColours = 4;
constexpr int kChannelTolerance = 3;
constexpr int kStrayPixelsAllowed = 16;
const float kJugFills[] = {0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 1.0f, 0.1f, 0.3f, 0.5f, 0.7f, 0.9f, 1.0f};

// The picture of a PNG file as 0xAARRGGBB; empty when it cannot be read.
sys::Picture ReadGolden(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  sys::Picture picture;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
  image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB in a little-endian word
  picture.width = static_cast<int32_t>(image.width);
  picture.height = static_cast<int32_t>(image.height);
  picture.pixels.resize(static_cast<size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) return {};
  return picture;
}

// Pixels whose colour differs from the golden one by more than the
// tolerance on some channel, alpha left out: the screen has none to show.
int StrayPixels(const sys::Picture& actual, const sys::Picture& golden) {
  int stray = 0;
  for (size_t i = 0; i < actual.pixels.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int a = static_cast<int>((actual.pixels[i] >> shift) & 0xFF);
      const int g = static_cast<int>((golden.pixels[i] >> shift) & 0xFF);
      if (std::abs(a - g) > kChannelTolerance) {
        ++stray;
        break;
      }
    }
  }
  return stray;
}

class TowerFramePixelTest : public testing::Test {
 protected:
  TowerFramePixelTest() {
    platform.recording = false;
    if (registry.Preload() == 0) return;
    while (!registry.FetchNext()) {
    }
    registry.FetchAll();
    factory = std::make_unique<TViewFactory>(&registry, nullptr, true, 1.0f);
    auto settings = GamePlay::TLevelSettings::Load(kPieLevel, "levels/world02.xml", false);
    if (!settings) return;
    towerView = factory->CreateTowerView(nullptr, *settings);
    rig = std::make_unique<LevelRig>(BuiltDataFolder::ProgramFolder(), kPieLevel, TuningFromStrings(),
                                     LevelViews{factory.get(), factory.get(), towerView.get()});
    if (!rig->IsReady()) return;
    towerView->SetModel(rig->tower.get());
    towerView->SetUp(rig->scoring.get(), nullptr);
    SetFixedTower();
    towerView->RereadJugModel();
  }

  // Colours that never make three in a row, in a ring or across the rings;
  // the rings above are left vacant.
  void SetFixedTower() {
    GamePlay::TTower& tower = *rig->tower;
    GamePlay::IPieceFactory& pieces = *tower.GetPieceFactory();
    const auto rings = static_cast<int32_t>(tower.GetRingCount());
    const auto slots = static_cast<int32_t>(tower.GetSlotCount());
    for (int32_t ring = 0; ring < rings; ++ring) {
      for (int32_t slot = 0; slot < slots; ++slot) {
        const int32_t colour = (slot + 2 * ring) % kFrameColours;
        tower.SetPiece(ring, slot, ring < kFilledRings ? pieces.CreateStandard(colour, nullptr) : pieces.GetNullPiece());
      }
    }
    GamePlay::IPieceJugModel& jugs = *rig->scoring->GetPieceJug();
    for (uint32_t jug = 0; jug < jugs.GetJugCount() && jug < std::size(kJugFills); ++jug) {
      jugs.SetFill(static_cast<int32_t>(jug), kJugFills[jug]);
    }
  }

  sys::Picture DrawFrame() {
    display->DrawRect(0, 0, -1, -1, TColor{0.0f, 0.0f, 0.0f, 1.0f}, nullptr);
    EXPECT_TRUE(display->BeginDraw(false));
    EXPECT_TRUE(platform.Begin2d());
    towerView->DrawFirstPass();
    towerView->DrawSecondPass();
    platform.End2d();
    display->EndDraw(false);
    sys::gfx::Surface& screen = *display->GetData().mBackBuffer;
    sys::Picture picture;
    picture.width = 800;
    picture.height = 600;
    for (int32_t y = 0; y < picture.height; ++y) {
      for (int32_t x = 0; x < picture.width; ++x) picture.pixels.push_back(DevicePlatform::ColourAt(screen, x, y));
    }
    return picture;
  }

  BuiltDataFolder data;
  FakePlatform platform;
  FakeDesktopDisplay desktop{platform};
  TDx3dDisplayHandler* display = &desktop.Display();
  TGraphicRegistry registry;
  std::unique_ptr<TViewFactory> factory;
  std::unique_ptr<TTowerViewImpl> towerView;
  std::unique_ptr<LevelRig> rig;
};

TEST_F(TowerFramePixelTest, AFixedTowerAndItsJugPieDrawAsTheirGoldenPicture) {
  ASSERT_TRUE(desktop.IsOpen());
  ASSERT_TRUE(rig && rig->IsReady()) << "level 2-3 of our data";
  ASSERT_EQ(rig->scoring->GetPieceJug()->GetJugCount(), 12u);
  const sys::Picture frame = DrawFrame();
  if (std::getenv("QUORVANE_GOLDEN_UPDATE")) {
    ASSERT_TRUE(sys::gfx::WritePicturePng(frame, kGoldenTowerFrame));
    GTEST_SKIP() << "wrote " << kGoldenTowerFrame << ": look at it";
  }
  const sys::Picture golden = ReadGolden(kGoldenTowerFrame);
  ASSERT_EQ(golden.width, frame.width) << kGoldenTowerFrame;
  ASSERT_EQ(golden.height, frame.height);
  const int stray = StrayPixels(frame, golden);
  if (stray <= kStrayPixelsAllowed) return;
  const std::string strayPath = (std::filesystem::temp_directory_path() / "tower-frame-actual.png").string();
  sys::gfx::WritePicturePng(frame, strayPath);
  ADD_FAILURE() << stray << " pixels stray; the frame is written to " << strayPath;
}

}  // namespace
}  // namespace GUI
