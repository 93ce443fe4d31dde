// The view factory: every picture of the views looked up by its name, none
// where the registry has none; the one shared null view for every piece;
// no view for a power-up yet; the tower view made with the factory's parts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/level/TLevelSettings.h"
#include "platform/text/Log.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/StringTableFile.h"

namespace GUI {
namespace {

// A picture that is only told apart from others by its identity.
class IdentityOnlyGraphic final : public IGraphic {
 public:
  void Prepare() override {}
  bool IsPlaying() override { return false; }
  void SetPlaying(bool) override {}
  void SetLooping(bool) override {}
  bool IsLooping() override { return false; }
  void SetCrossFade(bool) override {}
  int32_t GetWidth() override { return 0; }
  int32_t GetHeight() override { return 0; }
  std::shared_ptr<TTexture> GetTexture() override { return nullptr; }
  uint32_t GetFrameCount() override { return 0; }
  uint32_t GetFrame() override { return 0; }
  uint32_t SetFrame(uint32_t) override { return 0; }
  void Draw(const TVec2&, float, float, float) override {}
  void DrawScaled(const TVec2&, float, float, float, float) override {}
  void DrawSlices(const TVec2&, const std::vector<TSliceAlphas>&, float) override {}
  std::shared_ptr<TTexture> GetFrameTexture() override { return nullptr; }
  void SetBlendMode(int32_t) override {}
  int32_t GetBlendMode() override { return 0; }
};

using Graphic = TViewGraphics::Graphic;

// Every picture of the views with the name it is held under.
std::vector<std::pair<std::string, Graphic TViewGraphics::*>> NamedSingles() {
  return {{"sprites/piece-spark-a8", &TViewGraphics::spark},
          {"sprites/blockers/piece-block12", &TViewGraphics::block},
          {"sprites/blockers/piece-blockers-darken", &TViewGraphics::darken},
          {"sprites/blockers/piece-blockers-alert", &TViewGraphics::alert},
          {"sprites/piece-edge-glow", &TViewGraphics::edgeGlow},
          {"sprites/blockers/breaks-%d", &TViewGraphics::breaks},
          {"sprites/piece-grow12", &TViewGraphics::grow},
          {"sprites/enery-filling-%d", &TViewGraphics::filling},
          {"sprites/piece-powerup-cbomb-%d", &TViewGraphics::colourBomb},
          {"sprites/piece-powerup-rbomb-%d", &TViewGraphics::ringBomb},
          {"sprites/piece-powerup-abomb-%d", &TViewGraphics::areaBomb},
          {"sprites/piece-powerup-clbomb-%d", &TViewGraphics::clBomb},
          {"sprites/piece-powerup-ccbomb-%d", &TViewGraphics::changeColour},
          {"sprites/piece-lock", &TViewGraphics::lock},
          {"sprites/piece-gear", &TViewGraphics::gear},
          {"sprites/piece-lock-glow", &TViewGraphics::lockGlow},
          {"sprites/piece-gear-glow", &TViewGraphics::gearGlow},
          {"sprites/blockers/counter/piece-blockers-ani", &TViewGraphics::blockerAnim},
          {"sprites/piece-counter-%d", &TViewGraphics::counter},
          {"sprites/piece-white", &TViewGraphics::white},
          {"sprites/abomb-exp", &TViewGraphics::bombBlast},
          {"sprites/areabomb-exp-org", &TViewGraphics::orangeBlast},
          {"backgrounds/longdialog", &TViewGraphics::dialog}};
}

// The colour lists: a name pattern with the colour's three letters for "*".
std::vector<std::pair<std::string, TViewGraphics::ByColour TViewGraphics::*>> NamedByColour() {
  return {{"sprites/piece-*-%d", &TViewGraphics::pieces},
          {"sprites/piece-spark-*", &TViewGraphics::sparkByColour},
          {"sprites/areabomb-exp-*", &TViewGraphics::areaBombByColour}};
}

std::string ColourName(std::string pattern, size_t colour) {
  static const char* const kLetters[] = {"blu", "grn", "ind", "org", "pur", "red"};
  return pattern.replace(pattern.find('*'), 1, kLetters[colour]);
}

class ViewFactoryTest : public GamePlay::RecordedTowerTest {
 protected:
  ViewFactoryTest() { SetLogFolder(mLogs.Path().c_str()); }

  Graphic Hold(const std::string& name) {
    Graphic graphic = std::make_shared<IdentityOnlyGraphic>();
    registry.Register(name.c_str(), graphic);
    return graphic;
  }

  TempFolder mLogs;
  TestFileLayer mFiles;
  TGraphicRegistry registry;
};

TEST_F(ViewFactoryTest, EveryPictureIsTheOneHeldUnderItsName) {
  std::vector<std::pair<Graphic, Graphic>> expected;  // held, fetched
  for (const auto& [name, member] : NamedSingles()) expected.emplace_back(Hold(name), nullptr);
  for (const auto& [pattern, list] : NamedByColour()) {
    for (size_t colour = 0; colour < TViewGraphics::kColours; ++colour) {
      if (pattern != "sprites/areabomb-exp-*" || colour != 3) Hold(ColourName(pattern, colour));
    }
  }
  TViewFactory factory(&registry, nullptr, true, 1.0f);
  const TViewGraphics& graphics = factory.GetGraphics();
  for (const auto& [name, member] : NamedSingles()) {
    EXPECT_NE(graphics.*member, nullptr) << name;
    EXPECT_EQ(graphics.*member, registry.GetGraphic(name.c_str())) << name;
  }
  for (const auto& [pattern, list] : NamedByColour()) {
    for (size_t colour = 0; colour < TViewGraphics::kColours; ++colour) {
      std::string name = ColourName(pattern, colour);
      EXPECT_NE((graphics.*list)[colour], nullptr) << name;
      EXPECT_EQ((graphics.*list)[colour], registry.GetGraphic(name.c_str())) << name;
    }
  }
  EXPECT_EQ(graphics.areaBombByColour[3], graphics.orangeBlast);
  EXPECT_EQ(graphics.timeBomb, nullptr) << "the time bomb has no picture";
}

TEST_F(ViewFactoryTest, NamesTheRegistryLacksLeaveEmptyPictures) {
  Graphic orange = Hold("sprites/piece-org-%d");
  TViewFactory factory(&registry, nullptr, false, 1.0f);
  const TViewGraphics& graphics = factory.GetGraphics();
  EXPECT_EQ(graphics.pieces[3], orange);
  for (size_t colour : {0u, 1u, 2u, 4u, 5u}) EXPECT_EQ(graphics.pieces[colour], nullptr) << colour;
  for (const auto& [name, member] : NamedSingles()) EXPECT_EQ(graphics.*member, nullptr) << name;
}

TEST_F(ViewFactoryTest, EveryPieceGetsTheOneNullViewAndPowerUpsNoView) {
  BuildTower({"012345012345", "AZPe01234501"});
  TViewFactory factory(&registry, nullptr, false, 1.0f);
  GamePlay::TPieceViewPtr null = factory.GetNullView();
  ASSERT_NE(null, nullptr);
  EXPECT_EQ(factory.GetNullView(), null);
  GamePlay::TPiecePtr piece = tower->GetPiece(0, 3);
  for (const GamePlay::TPieceViewPtr& view :
       {factory.CreateStandardView(piece), factory.CreatePowerUpPieceView(piece),
        factory.CreateDisappearingView(piece, tower), factory.CreateFallingView(piece),
        factory.CreateRaisingView(piece), factory.CreateMovingView(piece),
        factory.CreateBlockedView(piece, -1), factory.CreateCounterView(piece)}) {
    EXPECT_EQ(view, null);
  }
  EXPECT_EQ(factory.CreatePowerUpView(std::make_shared<RecordingPowerUp>()), nullptr);
  null->SetCell(2, 5, true);
  EXPECT_EQ(null->GetRing(), 0);
  EXPECT_EQ(null->GetScreenPos().x, 0);
  EXPECT_EQ(null->GetScreenPos().y, 0);
}

TEST_F(ViewFactoryTest, TheTowerViewIsCentredAndMeasuredByTheFactory) {
  WriteStringTable(mFiles, TRingRecord::kFileName, {{"Ring Radius", "80"}});
  WriteStringTable(mFiles, "levels/journey.xml", {{"Lvl01 Max Rings", "2"}});
  auto settings = GamePlay::TLevelSettings::Load({1, 1}, "levels/journey.xml", false);
  ASSERT_NE(settings, nullptr);
  TViewFactory factory(&registry, nullptr, false, 1.0f);
  std::unique_ptr<TTowerViewImpl> view = factory.CreateTowerView(nullptr, *settings);
  EXPECT_EQ(view->GetCentre(), (GamePlay::TPoint{400, 300}));
  EXPECT_EQ(view->GetMeasurement(), factory.GetMeasurement());
  EXPECT_FLOAT_EQ(view->GetMeasurement()->GetRadius(5), 40);
}

}  // namespace
}  // namespace GUI
