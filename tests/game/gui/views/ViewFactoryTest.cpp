// The view factory: every picture of the views looked up by its name, none
// where the registry has none; the tower view made with the factory's parts;
// each maker's view drawing the pictures the piece's kind and colour call
// for; power-up views by the power-up's class, kept while their power-ups
// live; the grow and highlight marks; the one null view.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/gui/effects/TBpmFlasher.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TDisappearingPieceView.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/powerups/TChangeColorPowerUp.h"
#include "game/rules/powerups/TColorBombPowerUp.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "game/rules/powerups/TTimeBombPowerUp.h"
#include "platform/text/Log.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/rules/KitPowerUps.h"

namespace GUI {
namespace {

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

class ViewFactoryTest : public testing::Test {
 protected:
  ViewFactoryTest() { SetLogFolder(mLogs.Path().c_str()); }

  Graphic Hold(const std::string& name) {
    Graphic graphic = std::make_shared<RecordingGraphic>(name, &journal, 1);
    registry.Register(name.c_str(), graphic);
    return graphic;
  }

  // A level of four rings, as the play window gets it.
  std::unique_ptr<GamePlay::TLevelSettings> Settings() {
    WriteStringTable(mFiles, "levels/journey.xml", {{"Lvl01 Max Rings", "4"}});
    return GamePlay::TLevelSettings::Load({1, 1}, "levels/journey.xml", false);
  }

  // A factory whose pictures all record their draws, with its tower view.
  TViewFactory& Factory(bool ringHighlight = true) {
    HoldRecordingPictures(registry, &journal);
    factory = std::make_unique<TViewFactory>(&registry, &flasher, ringHighlight, 1.0f);
    towerView = factory->CreateTowerView(nullptr, *Settings());
    return *factory;
  }

  // The piece with the view the maker gives it.
  template <class Maker>
  GamePlay::TPiecePtr WithView(GamePlay::TPiecePtr piece, Maker maker) {
    piece->SetView(maker(piece));
    return piece;
  }
  GamePlay::TPiecePtr Standard(int32_t colour) {
    return WithView(
        std::make_shared<GamePlay::TStandardPiece>(colour),
        [this](const GamePlay::TPiecePtr& p) { return factory->CreateStandardView(p); });
  }
  GamePlay::TPiecePtr Blocker(GamePlay::TPiecePtr inner) {
    const int32_t colour = inner ? inner->GetColour() : -1;
    return WithView(
        std::make_shared<GamePlay::TBlockedPiece>(inner, true, nullptr, nullptr),
        [&](const GamePlay::TPiecePtr& p) { return factory->CreateBlockedView(p, colour); });
  }

  // What drawing the view in place drew.
  std::vector<std::string> DrawnInPlace(const GamePlay::TPieceViewPtr& view) {
    journal.clear();
    view->DrawInPlace();
    return DrawnNames(journal);
  }

  size_t LogLinesWith(const std::string& text) const {
    const std::string log = ReadWholeFile(GetLogPath().CStr());
    size_t count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
  }

  TempFolder mLogs;
  TestFileLayer mFiles;
  FakeClock clock;
  TBpmFlasher flasher{120.0f};
  TGraphicRegistry registry;
  std::vector<RecordedDraw> journal;
  std::unique_ptr<TViewFactory> factory;
  std::unique_ptr<TTowerViewImpl> towerView;
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

TEST_F(ViewFactoryTest, TheTowerViewIsCentredAndMeasuredByTheFactory) {
  WriteStringTable(mFiles, TRingRecord::kFileName, {{"Ring Radius", "80"}});
  TViewFactory factory(&registry, nullptr, false, 1.0f);
  std::unique_ptr<TTowerViewImpl> view = factory.CreateTowerView(nullptr, *Settings());
  EXPECT_EQ(view->GetCentre(), (GamePlay::TPoint{400, 300}));
  EXPECT_EQ(view->GetMeasurement(), factory.GetMeasurement());
  EXPECT_FLOAT_EQ(view->GetMeasurement()->GetRadius(5), 40);
}

TEST_F(ViewFactoryTest, TheNullViewIsOneObjectThatDrawsNothingAtTheOrigin) {
  TViewFactory& views = Factory();
  GamePlay::TPieceViewPtr null = views.GetNullView();
  ASSERT_NE(null, nullptr);
  EXPECT_EQ(views.GetNullView(), null);
  null->SetCell(2, 5, true);
  null->Draw(TVec2(100, 100), 1.0f, 1.0f, 1.0f, 0.0f);
  EXPECT_TRUE(DrawnInPlace(null).empty());
  EXPECT_EQ(null->GetRing(), 0);
  EXPECT_EQ(null->GetScreenPos().x, 0);
  EXPECT_EQ(null->GetScreenPos().y, 0);
}

// Every view stands where the tower view says; before there is one, pieces
// are left undrawn rather than placed nowhere.
TEST_F(ViewFactoryTest, PiecesBeforeTheTowerViewGetTheNullView) {
  HoldRecordingPictures(registry, &journal);
  TViewFactory views(&registry, &flasher, true, 1.0f);
  auto piece = std::make_shared<GamePlay::TStandardPiece>(1);
  EXPECT_EQ(views.CreateStandardView(piece), views.GetNullView());
  EXPECT_EQ(views.CreateFallingView(piece), views.GetNullView());
  EXPECT_EQ(LogLinesWith("before the tower view was made"), 2u);
}

TEST_F(ViewFactoryTest, AStandardPieceDrawsItsColoursPictureAndVanishesWithItsColoursSpark) {
  Factory();
  const char* const letters[] = {"blu", "grn", "ind", "org", "pur", "red"};
  for (int32_t colour = 0; colour < 6; ++colour) {
    GamePlay::TPiecePtr piece = Standard(colour);
    std::static_pointer_cast<GamePlay::TStandardPiece>(piece)->StartClock();
    const std::string name = std::string("sprites/piece-") + letters[colour] + "-%d";
    EXPECT_EQ(DrawnInPlace(piece->GetView()),
              (std::vector<std::string>{name, "sprites/piece-spark-a8"}))
        << colour;
    auto vanishing = std::make_shared<GamePlay::TDisappearingPiece>(piece, nullptr);
    auto view = std::dynamic_pointer_cast<TDisappearingPieceView>(
        factory->CreateDisappearingView(vanishing, nullptr));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetSpark(),
              registry.GetGraphic((std::string("sprites/piece-spark-") + letters[colour]).c_str()))
        << colour;
  }
}

// Colours come from the level's files: one outside the six has no picture.
TEST_F(ViewFactoryTest, AColourOutsideTheSixGetsTheNullViewWithALogLine) {
  Factory();
  for (int32_t colour : {-1, 6, 1000}) {
    auto piece = std::make_shared<GamePlay::TStandardPiece>(colour);
    EXPECT_EQ(factory->CreateStandardView(piece), factory->GetNullView()) << colour;
  }
  EXPECT_EQ(LogLinesWith("has no picture"), 3u);
}

TEST_F(ViewFactoryTest, APowerUpPieceOfNoColourIsDrawnByItsPowerUpAlone) {
  Factory();
  struct Case {
    int32_t colour;
    bool carriesBomb;
    std::vector<std::string> drawn;
  };
  const Case cases[] = {
      {-1, false, {}},
      {-1, true, {"sprites/piece-powerup-cbomb-%d"}},
      {2, false, {"sprites/piece-ind-%d", "sprites/piece-powerup-cbomb-%d"}},
  };
  for (const Case& c : cases) {
    auto piece = std::make_shared<GamePlay::TPowerUpPiece>(c.colour, nullptr, nullptr);
    GamePlay::TPowerUpPtr bomb = std::make_shared<GamePlay::TColorBombPowerUp>();
    bomb->SetView(factory->CreatePowerUpView(bomb));
    if (c.carriesBomb) piece->ClearPowerUp(bomb);
    piece->SetView(factory->CreatePowerUpPieceView(piece));
    EXPECT_EQ(DrawnInPlace(piece->GetView()), c.drawn) << c.colour << " " << c.carriesBomb;
  }
}

TEST_F(ViewFactoryTest, APlainBlockerHasAPictureOfItsOwnAndOneAroundAPieceShowsThePiece) {
  Factory();
  EXPECT_EQ(DrawnInPlace(Blocker(nullptr)->GetView()),
            (std::vector<std::string>{"sprites/blockers/piece-block12",
                                      "sprites/blockers/counter/piece-blockers-ani"}));
  EXPECT_EQ(DrawnInPlace(Blocker(Standard(2))->GetView()),
            (std::vector<std::string>{"sprites/piece-ind-%d",
                                      "sprites/blockers/counter/piece-blockers-ani"}));
}

TEST_F(ViewFactoryTest, EachPowerUpClassGetsItsPictureAndGlow) {
  Factory();
  struct Case {
    const char* what;
    GamePlay::TPowerUpPtr powerUp;
    std::vector<std::string> drawn;  // with the glow asked for
  };
  const Case cases[] = {
      {"colour bomb",
       std::make_shared<GamePlay::TColorBombPowerUp>(),
       {"sprites/piece-powerup-cbomb-%d"}},
      {"lock",  // cross-fading two frames under its still picture
       std::make_shared<GamePlay::TLockPowerUp>(),
       {"sprites/piece-lock", "sprites/piece-lock", "sprites/piece-lock",
        "sprites/piece-lock-glow"}},
      {"gear",
       std::make_shared<GamePlay::TGearPowerUp>(),
       {"sprites/piece-gear", "sprites/piece-gear-glow"}},
      {"ring bomb",
       std::make_shared<GamePlay::TBigAreaBombPowerUp>(0, 6, false, false, true),
       {"sprites/piece-powerup-rbomb-%d"}},
      {"ring bomb of the small kind",
       std::make_shared<GamePlay::TBigAreaBombPowerUp>(0, 6, false, true, true),
       {"sprites/piece-powerup-rbomb-%d"}},
      {"area bomb",
       std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false),
       {"sprites/piece-powerup-abomb-%d"}},
      {"small cross bomb",
       std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, true, true, false),
       {"sprites/piece-powerup-clbomb-%d"}},
      {"time bomb", std::make_shared<GamePlay::TTimeBombPowerUp>(nullptr, 0.1f), {}},
      {"change colour",
       std::make_shared<GamePlay::TChangeColorPowerUp>(),
       {"sprites/piece-powerup-ccbomb-%d"}},
  };
  for (const Case& c : cases) {
    std::shared_ptr<GamePlay::IPowerUpView> view = factory->CreatePowerUpView(c.powerUp);
    ASSERT_NE(view, nullptr) << c.what;
    journal.clear();
    view->Draw(true, 1, TVec2(100, 100), 1.0f, 1.0f, 1.0f, 0.0f);
    EXPECT_EQ(DrawnNames(journal), c.drawn) << c.what;
  }
  for (GamePlay::TPowerUpPtr viewless :
       {GamePlay::TPowerUpPtr(std::make_shared<GamePlay::TLockBreakerPowerUp>()),
        GamePlay::TPowerUpPtr(std::make_shared<GamePlay::TGearBreakerPowerUp>()),
        GamePlay::TPowerUpPtr(
            std::make_shared<RecordingPowerUp>(GamePlay::TPowerUpKind::ColorBomb))}) {
    EXPECT_EQ(factory->CreatePowerUpView(viewless), nullptr);
  }
}

// A power-up holds its view weakly: the view must last while the power-up
// does, and no longer.
TEST_F(ViewFactoryTest, APowerUpsViewLivesAsLongAsThePowerUp) {
  Factory();
  GamePlay::TPowerUpPtr lock = std::make_shared<GamePlay::TLockPowerUp>();
  lock->SetView(factory->CreatePowerUpView(lock));
  std::weak_ptr<GamePlay::IPowerUpView> view = lock->GetView();
  EXPECT_FALSE(view.expired());
  lock.reset();
  GamePlay::TPowerUpPtr gear = std::make_shared<GamePlay::TGearPowerUp>();
  gear->SetView(factory->CreatePowerUpView(gear));
  EXPECT_TRUE(view.expired()) << "let go as the next view was made";
  EXPECT_NE(gear->GetView(), nullptr);
}

TEST_F(ViewFactoryTest, WithoutRingHighlightEveryGrowRequestGetsTheNullView) {
  for (bool ringHighlight : {false, true}) {
    Factory(ringHighlight);
    GamePlay::TPiecePtr standard = Standard(0);
    GamePlay::TPiecePtr blocker = Blocker(nullptr);
    EXPECT_EQ(factory->CreateGrowView(blocker), factory->GetNullView());
    GamePlay::TPieceViewPtr grow = factory->CreateGrowView(standard);
    if (!ringHighlight) {
      EXPECT_EQ(grow, factory->GetNullView());
      continue;
    }
    ASSERT_NE(grow, factory->GetNullView());
    standard->GetView()->SetCell(1, 4, false);
    EXPECT_EQ(DrawnInPlace(grow), (std::vector<std::string>{"sprites/piece-grow12"}));
    EXPECT_EQ(journal[0].pos.x, standard->GetView()->GetScreenPos().x);
    EXPECT_EQ(journal[0].pos.y, standard->GetView()->GetScreenPos().y);
    EXPECT_EQ(journal[0].alpha, 0.8f) << "neither strong nor pulsing";
  }
}

// In place a pulsing mark is faintest at mid-beat, where the flasher is now.
TEST_F(ViewFactoryTest, HighlightsByPieceKindAndAlert) {
  Factory();
  clock.Advance(250);
  flasher.Update(0.01f);
  ASSERT_FLOAT_EQ(flasher.GetPulseValue(), 1.0f);
  struct Case {
    bool blocked;
    bool alert;
    const char* graphic;
    float alpha;
  };
  const Case cases[] = {
      {false, false, "sprites/blockers/piece-blockers-darken", 0.8f},
      {false, true, "sprites/blockers/piece-blockers-darken", 1.0f},
      {true, false, "sprites/blockers/piece-blockers-darken", 0.8f},
      {true, true, "sprites/blockers/piece-blockers-alert", 0.15f},
  };
  for (const Case& c : cases) {
    GamePlay::TPiecePtr piece = c.blocked ? Blocker(nullptr) : Standard(5);
    GamePlay::TPieceViewPtr mark = factory->CreateHighlightView(piece, c.alert);
    DrawnInPlace(mark);
    ASSERT_EQ(journal.size(), 1u) << c.blocked << c.alert;
    EXPECT_EQ(journal[0].name, c.graphic) << c.blocked << c.alert;
    EXPECT_FLOAT_EQ(journal[0].alpha, c.alpha) << c.blocked << c.alert;
  }
  auto powerUpPiece = std::make_shared<GamePlay::TPowerUpPiece>(1, nullptr, nullptr);
  powerUpPiece->SetView(factory->CreatePowerUpPieceView(powerUpPiece));
  EXPECT_EQ(factory->CreateHighlightView(powerUpPiece, true), factory->GetNullView());
}

}  // namespace
}  // namespace GUI
