// The animations of vanishing pieces: which one a piece gets, how its
// phases follow each other over its time, where the sparks fly, what the
// tower and the sound are told, and the piece's done flag.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/gui/views/TDAPSparkDrawers.h"
#include "game/gui/views/TDisappearingPieceView.h"
#include "game/gui/views/TStandardPieceView.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/powerups/TColorBombPowerUp.h"
#include "game/rules/tower/TTower.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/KitTower.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

using GamePlay::TPiecePtr;
using GamePlay::TPowerUpPtr;

// Frames enough that the frame shown tells a phase's progress u to a
// thousandth: frame = truncate(1000 (1 - u)).
constexpr uint32_t kDrawerTestFrames = 1000;
constexpr uint32_t kDrawerTestLastFrame = kDrawerTestFrames - 1;
// Pieces are drawn 100 pixels right of the stub tower's centre (400, 300).
const TVec2 kDrawerTestPos{500, 300};
constexpr int32_t kDrawerTestColour = 2;

// A match reaction that counts how often it fires.
class CountingReaction final : public GamePlay::IPieceMatchReaction {
 public:
  void React() override { ++fired; }
  int fired = 0;
};

// What a vanishing piece's view is made with.
struct VanishingSetUp {
  VanishingSetUp(GamePlay::TIntPair cellPair = {-1, -1}, int32_t pieceColour = kDrawerTestColour,
                 TPowerUpPtr carriedPowerUp = nullptr, bool isOwnTarget = false)
      : cells(cellPair), colour(pieceColour), carried(std::move(carriedPowerUp)),
        ownTarget(isOwnTarget) {}

  GamePlay::TIntPair cells;
  int32_t colour;
  TPowerUpPtr carried;
  bool ownTarget;
};

class DisappearingDrawerTest : public testing::Test {
 protected:
  DisappearingDrawerTest() {
    for (size_t colour = 0; colour < TViewGraphics::kColours; ++colour) {
      pictures.sparks[colour] = Picture("spark" + std::to_string(colour), kDrawerTestFrames);
      pictures.areaBombs[colour] = Picture("blast" + std::to_string(colour), kDrawerTestFrames);
    }
    pictures.filling = Picture("filling", kDrawerTestFrames);
    pictures.edgeGlow = Picture("glow");
    tower.jugFill = 50;
  }

  std::shared_ptr<IGraphic> Picture(const std::string& name, uint32_t frames = 1) {
    return std::make_shared<RecordingGraphic>(name, &journal, frames);
  }

  TDAPDrawerContext Context() {
    return {pictures, nullptr, &tower, kit ? kit->tower.get() : nullptr, &sounds};
  }

  // A vanishing piece in cell (ring 1, slot 4), with its view, the view of
  // the piece inside drawing "piece".
  std::shared_ptr<GamePlay::TDisappearingPiece> Vanishing(const VanishingSetUp& setUp) {
    auto inner = std::make_shared<GamePlay::TStandardPiece>(setUp.colour);
    inner->SetJugMark(setUp.cells);
    auto wrapped = std::make_shared<TStandardPieceView>(Picture("piece"), nullptr, inner, &tower);
    inner->SetView(wrapped);
    auto piece = std::make_shared<GamePlay::TDisappearingPiece>(inner, setUp.carried);
    if (setUp.ownTarget) piece->SetTarget(piece);
    piece->SetReaction(reaction);
    TDAPDrawerContext context = Context();
    auto view = std::make_shared<TDisappearingPieceView>(wrapped, context.pictures, context.tower,
                                                         piece, &tower, &sounds);
    piece->SetView(view);
    view->SetCell(1, 4, false);
    return piece;
  }

  // What one draw of the piece's view drew at the test's place.
  std::vector<std::string> DrawView(GamePlay::IPiece& piece) {
    journal.clear();
    piece.GetView()->Draw(kDrawerTestPos, 0.8f, 1.0f, 1.0f, 0.25f);
    return DrawnNames(journal);
  }

  void DrawDrawer(IDAPViewDrawer& drawer, GamePlay::TDisappearingPiece& piece) {
    journal.clear();
    drawer.Draw(piece, kDrawerTestPos, 0.8f, 1.0f, 1.0f, 0.25f);
  }

  // Draws the view every 10 ms until it says it is done; the age it is done at.
  uint32_t Lifetime(GamePlay::TDisappearingPiece& piece) {
    for (uint32_t age = 0; age <= 1000; age += 10) {
      DrawView(piece);
      if (piece.GetDisappearFlag()) return age;
      clock.Advance(10);
    }
    return 0;
  }

  // A real tower to be told when a spark reaches its jug.
  void WithTower() {
    kit = std::make_unique<KitTower>(kitPieces, GamePlay::TTowerSetup{}, std::vector<std::string>{"0"});
  }

  FakeClock clock;
  StubTowerView tower{5};
  std::vector<RecordedDraw> journal;
  TVanishingPictures pictures;
  RecordingVanishingSounds sounds;
  std::shared_ptr<CountingReaction> reaction = std::make_shared<CountingReaction>();
  NullPieceViewFactory nullViews;
  KitPieceFactory kitPieces{&nullViews};
  std::unique_ptr<KitTower> kit;
};

// Each drawer's phases by its age: what is drawn and at which frame, the
// frame telling the phase's progress u.
TEST_F(DisappearingDrawerTest, PhasesFollowEachOtherByTheirWeights) {
  struct Case {
    const char* drawer;
    uint32_t age;
    std::vector<std::string> drawn;
    uint32_t frame;  // of the first picture drawn
  };
  const Case cases[] = {
      {"standard", 0, {"spark2"}, 0},
      {"standard", 100, {"spark2"}, 582},  // u = (0.7727 - 0.61) / 0.39, about 0.417
      {"standard", 170, {"spark2"}, 990},
      {"standard", 174, {"spark2"}, kDrawerTestLastFrame},  // held at the meeting point
      {"standard", 200, {"spark2"}, kDrawerTestLastFrame},  // on to the rim
      {"standard", 320, {"filling"}, 90},
      {"standard", 439, {"filling"}, 992},
      {"standard", 440, {}, 0},
      {"bounding", 149, {"spark2"}, 993},
      {"bounding", 151, {"spark2"}, kDrawerTestLastFrame},
      {"bounding", 250, {"spark2"}, kDrawerTestLastFrame},
      {"bounding", 300, {}, 0},
      {"no target", 125, {"spark2"}, 500},
      {"no target", 250, {}, 0},
  };
  for (const Case& c : cases) {
    auto piece = Vanishing({});
    std::unique_ptr<IDAPViewDrawer> drawer;
    const std::string kind = c.drawer;
    if (kind == "standard") {
      drawer = std::make_unique<TDAPViewDrawerStandard>(Context(), pictures.sparks[2]);
    } else if (kind == "bounding") {
      drawer = std::make_unique<TDAPViewDrawerBounding>(Context(), pictures.sparks[2], 1);
    } else {
      drawer = std::make_unique<TDAPViewDrawerNoTarget>(Context(), pictures.sparks[2]);
    }
    drawer->SetCell(1, 4);
    clock.Advance(c.age);
    DrawDrawer(*drawer, *piece);
    EXPECT_EQ(DrawnNames(journal), c.drawn) << c.drawer << " at " << c.age;
    if (!journal.empty()) {
      EXPECT_EQ(journal[0].frame, c.frame) << c.drawer << " at " << c.age;
    }
    EXPECT_EQ(drawer->IsFinished(), c.drawn.empty()) << c.drawer << " at " << c.age;
  }
}

TEST_F(DisappearingDrawerTest, ADrawerPastItsTimeDrawsNothingOfItsOwnButWaitsForItsChildren) {
  auto piece = Vanishing({});
  TDAPViewDrawerNoTarget drawer(Context(), pictures.sparks[0]);
  drawer.AddChild(std::make_unique<TDAPViewDrawerStandard>(Context(), pictures.sparks[2]));
  clock.Advance(300);
  DrawDrawer(drawer, *piece);
  EXPECT_EQ(DrawnNames(journal), std::vector<std::string>{"spark2"}) << "only the child";
  EXPECT_FLOAT_EQ(drawer.GetRemaining(), 0.0f);
  EXPECT_FALSE(drawer.IsFinished());
  clock.Advance(140);
  EXPECT_TRUE(drawer.IsFinished());
}

// Which animation a piece gets, told by what it draws first and how long it
// lasts: the no-target spark 250 ms, the bounding one 300, the standard one
// 440, bombs 500.
TEST_F(DisappearingDrawerTest, ThePieceGetsTheAnimationOfWhatItHeldAndWhereItGoes) {
  auto areaBomb = std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, true);
  auto bigAreaBomb = std::make_shared<GamePlay::TBigAreaBombPowerUp>(1, 1, false, false, false);
  auto colourBomb = std::make_shared<GamePlay::TColorBombPowerUp>();
  struct Case {
    const char* what;
    VanishingSetUp setUp;
    bool message;
    std::vector<std::string> firstDrawn;
    uint32_t lifetime;
  };
  const Case cases[] = {
      {"no target", {{0, 0}}, false, {"spark2"}, 250},
      {"to a jug", {{-1, -1}}, false, {"spark2"}, 440},
      {"stopped by a blocker", {{-1, 3}}, false, {"spark2"}, 300},
      {"another pair", {{2, 5}}, false, {"spark2"}, 440},
      {"no colour", {{0, 0}, -1}, false, {"spark0"}, 250},
      {"no colour to a jug", {{-1, -1}, -1}, false, {"spark0"}, 440},
      {"area bomb", {{-1, -1}, 2, areaBomb}, false, {"piece", "spark2"}, 500},
      {"area bomb, no target", {{0, 0}, 2, areaBomb}, false, {"piece"}, 500},
      {"big area bomb", {{-1, 3}, 2, bigAreaBomb}, false, {"blast2", "spark2"}, 500},
      {"big area bomb, no colour", {{0, 0}, -1, bigAreaBomb}, false, {"blast0"}, 500},
      {"colour bomb", {{-1, -1}, 2, colourBomb}, false, {"piece", "spark2"}, 500},
      {"colour bomb, no target", {{0, 0}, 2, colourBomb}, false, {"piece"}, 500},
      {"colour bomb under a message", {{-1, -1}, 2, colourBomb}, true, {"piece", "glow"}, 500},
  };
  for (const Case& c : cases) {
    tower.showingMessage = c.message;
    auto piece = Vanishing(c.setUp);
    EXPECT_EQ(DrawView(*piece), c.firstDrawn) << c.what;
    EXPECT_EQ(Lifetime(*piece), c.lifetime) << c.what;
    EXPECT_TRUE(DrawView(*piece).empty()) << c.what << ": nothing once done";
  }
}

// Under a message the colour bomb's edge only lights up: a single phase
// over the whole half second, with no blast and no spark.
TEST_F(DisappearingDrawerTest, AColourBombUnderAMessageOnlyLightsItsEdge) {
  tower.showingMessage = true;
  auto piece = Vanishing({{-1, -1}, 2, std::make_shared<GamePlay::TColorBombPowerUp>()});
  DrawView(*piece);  // the animation starts
  const struct {
    uint32_t age;
    std::vector<std::string> drawn;
    float glowAlpha;
  } steps[] = {{50, {"piece", "glow"}, 0.125f},
               {200, {"piece", "glow"}, 0.5f},
               {350, {"piece", "glow"}, 0.875f},
               {480, {"piece"}, 0}};
  uint32_t now = 0;
  for (const auto& step : steps) {
    clock.Advance(step.age - now);
    now = step.age;
    EXPECT_EQ(DrawView(*piece), step.drawn) << step.age;
    if (journal.size() == 2) {
      EXPECT_NEAR(journal[1].alpha, step.glowAlpha, 1e-4) << step.age;
    }
  }
}

// Without a message the colour bomb shows the piece, blasts and then lights
// its edge for the last half.
TEST_F(DisappearingDrawerTest, AColourBombBlastsThenLightsItsEdge) {
  auto piece = Vanishing({{0, 0}, 2, std::make_shared<GamePlay::TColorBombPowerUp>()});
  DrawView(*piece);
  const struct {
    uint32_t age;
    std::vector<std::string> drawn;
  } steps[] = {{50, {"piece"}}, {100, {"blast2"}}, {240, {"blast2"}}, {300, {"piece", "glow"}},
               {480, {"piece"}}};
  uint32_t now = 0;
  for (const auto& step : steps) {
    clock.Advance(step.age - now);
    now = step.age;
    EXPECT_EQ(DrawView(*piece), step.drawn) << step.age;
    if (step.drawn[0] == "blast2") {
      EXPECT_FLOAT_EQ(journal[0].scaleX, 3.0f) << "three times the piece";
    }
  }
}

// The standard spark from a piece 100 px right of the centre, with no other
// target and jugs 50 px across: it meets at Q = (485, 300) and reaches the
// rim R = (450, 300), shrinking as it nears the centre.
TEST_F(DisappearingDrawerTest, TheStandardSparkFliesByTheMeetingPointToTheRim) {
  const struct {
    uint32_t age;
    const char* drawn;
    float x;
    float scale;
  } steps[] = {{100, "spark2", 500 - 15 * 0.582751f, 0.912592f},
               {174, "spark2", 485, 0.85f},
               {242, "spark2", 467.5f, 0.675f},
               {330, "filling", 450, 1.0f}};
  auto piece = Vanishing({});
  DrawView(*piece);
  uint32_t now = 0;
  for (const auto& step : steps) {
    clock.Advance(step.age - now);
    now = step.age;
    ASSERT_EQ(DrawView(*piece), std::vector<std::string>{step.drawn}) << step.age;
    EXPECT_NEAR(journal[0].pos.x, step.x, 1e-2) << step.age;
    EXPECT_NEAR(journal[0].pos.y, 300, 1e-3) << step.age;
    EXPECT_NEAR(journal[0].scaleX, step.scale, 1e-4) << step.age;
    EXPECT_FLOAT_EQ(journal[0].alpha, 0.8f);
  }
}

// The spark gathers on the target's place: 30 % of the way from there to
// the rim.
TEST_F(DisappearingDrawerTest, TheSparkMeetsOnItsWayFromTheTargetToTheRim) {
  auto target = Vanishing({});
  target->GetView()->SetCell(3, 9, false);
  const TVec2 t = target->GetView()->GetScreenPos();
  auto piece = Vanishing({});
  piece->SetTarget(target);
  DrawView(*piece);
  clock.Advance(174);
  DrawView(*piece);
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_NEAR(journal[0].pos.x, t.x + (450 - t.x) * 0.3f, 1e-3);
  EXPECT_NEAR(journal[0].pos.y, t.y + (300 - t.y) * 0.3f, 1e-3);
}

// The rim, where the filling plays, lies on the way from the centre out to
// the piece; a piece at the centre itself has no such way, and its spark
// keeps its scale.
TEST_F(DisappearingDrawerTest, TheRimPointLiesTowardsThePiece) {
  const struct {
    TVec2 pos;
    TVec2 rim;
  } cases[] = {{{500, 300}, {450, 300}}, {{400, 180}, {400, 250}}, {{400, 300}, {400, 300}}};
  for (const auto& c : cases) {
    auto piece = Vanishing({});
    TDAPViewDrawerStandard drawer(Context(), pictures.sparks[2]);
    drawer.SetCell(1, 4);
    clock.Advance(100);
    journal.clear();
    drawer.Draw(*piece, c.pos, 1.0f, 2.0f, 2.0f, 0.0f);
    ASSERT_EQ(DrawnNames(journal), std::vector<std::string>{"spark2"});
    EXPECT_TRUE(std::isfinite(journal[0].scaleX)) << c.pos.x << "," << c.pos.y;
    clock.Advance(230);
    journal.clear();
    drawer.Draw(*piece, c.pos, 1.0f, 2.0f, 2.0f, 0.0f);
    ASSERT_EQ(DrawnNames(journal), std::vector<std::string>{"filling"});
    EXPECT_NEAR(journal[0].pos.x, c.rim.x, 1e-3) << c.pos.x << "," << c.pos.y;
    EXPECT_NEAR(journal[0].pos.y, c.rim.y, 1e-3) << c.pos.x << "," << c.pos.y;
  }
  auto piece = Vanishing({});
  TDAPViewDrawerStandard drawer(Context(), pictures.sparks[2]);
  clock.Advance(100);
  journal.clear();
  drawer.Draw(*piece, TVec2(400, 300), 1.0f, 2.0f, 2.0f, 0.0f);
  EXPECT_FLOAT_EQ(journal[0].scaleX, 2.0f) << "a piece at the centre";
}

// Stopped by a blocker in ring 1 (rim 110 px out), the spark bounces 200 px
// outward, turned to one side by its own ring, fading: halfway through the
// bounce it is halfway from R' = (510, 300) to S.
TEST_F(DisappearingDrawerTest, TheBouncingSparkTurnsToASideByItsRing) {
  const struct {
    int32_t ring;
    TVec2 halfway;
  } cases[] = {{0, {596.6025f, 250}}, {1, {610, 300}}, {2, {596.6025f, 350}}, {3, {596.6025f, 250}}};
  for (const auto& c : cases) {
    auto piece = Vanishing({{-1, 1}});
    TDAPViewDrawerBounding drawer(Context(), pictures.sparks[2], 1);
    drawer.SetCell(c.ring, 4);
    clock.Advance(255);
    DrawDrawer(drawer, *piece);
    ASSERT_EQ(journal.size(), 1u) << c.ring;
    EXPECT_NEAR(journal[0].pos.x, c.halfway.x, 1e-2) << c.ring;
    EXPECT_NEAR(journal[0].pos.y, c.halfway.y, 1e-2) << c.ring;
    EXPECT_NEAR(journal[0].alpha, 0.5f, 1e-4) << c.ring;
  }
}

// The blocker's cell is marked while the spark flies at it and unmarked as
// it bounces off, with one "Blocker Blocked" however many frames it takes.
TEST_F(DisappearingDrawerTest, TheBlockerIsMarkedUntilTheBounceWhichSoundsOnce) {
  auto piece = Vanishing({{-1, 2}});
  const struct {
    uint32_t age;
    int32_t mark;
    std::vector<std::string> heard;
  } steps[] = {{0, 3, {}},
               {100, 3, {}},
               {180, 3, {}},
               {220, 0, {"Blocker Blocked"}},
               {255, 0, {"Blocker Blocked"}},
               {290, 0, {"Blocker Blocked"}}};
  uint32_t now = 0;
  for (const auto& step : steps) {
    clock.Advance(step.age - now);
    now = step.age;
    DrawView(*piece);
    EXPECT_EQ(tower.marks[2][4], step.mark) << step.age;
    EXPECT_EQ(sounds.played, step.heard) << step.age;
  }
}

// Only the piece the match gathers on tells the tower that its spark
// reached the jug, and sounds the jug of its colour, once.
TEST_F(DisappearingDrawerTest, OnlyTheTargetItselfFillsTheJugOnce) {
  WithTower();
  auto own = Vanishing({{-1, -1}, 4, nullptr, true});
  auto other = Vanishing({});
  other->SetTarget(own);
  DrawView(*own);
  DrawView(*other);
  clock.Advance(300);
  DrawView(*own);
  DrawView(*other);
  EXPECT_TRUE(sounds.played.empty()) << "not before the filling";
  for (int frame = 0; frame < 4; ++frame) {
    clock.Advance(30);
    DrawView(*own);
    DrawView(*other);
  }
  EXPECT_EQ(sounds.played, std::vector<std::string>{"Jug Fill 4"});
  EXPECT_EQ(reaction->fired, 1) << "told through the tower, before either piece is done";
  EXPECT_FALSE(own->GetDisappearFlag());
}

}  // namespace
}  // namespace GUI
