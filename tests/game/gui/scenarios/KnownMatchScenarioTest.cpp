// A match the player makes, from the player's seat: the real game over a
// copy of the built data folder whose level 1-1 deals its pieces from a
// piece table, played through the game driver in a child process of its
// own. The table stacks three colours so that no column matches, until
// ring 1 is turned one slot: then the three lowest rings match in every
// column, those pieces vanish, the rings above fall into their place and
// the first jug, a white one taking every colour, fills. The frame shows
// the ring turned where it was dragged. With QUORVANE_FRAME_CAPTURE naming
// a folder, that frame, with the points of the match popping up, is written
// there as a PNG.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/gui/play/TArcadeWindow.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/pieces/IPiece.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/game/gui/main/CopiedDataFolder.h"
#include "tests/game/gui/main/LevelOnePlay.h"
#include "tests/game/gui/main/RingDrag.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "system/window/Picture.h"
#include "tests/support/game/RingPoints.h"
#include "tests/support/game/BuiltGameStart.h"

namespace {

using GUI::TArcadeWindow;

constexpr const char* kTableSwitchRow = "Using Table Generate</Data></Cell><Cell><Data ss:Type=\"String\">";
constexpr int32_t kTableRings = 5;
constexpr int32_t kTableSlots = 12;
// The longest a player waits for the tower, in steps of game time.
constexpr int kTableWaitSteps = 50;
constexpr uint32_t kTableWaitStepMs = 100;
// Where ring 1 is looked at in the frame (away from the grab), and a point
// of the backdrop.
constexpr float kTableLookSlot = 6.0f;
const GamePlay::TPoint kTableOutside{20, 580};

// The colour code (1 to 3) the table deals ring r of column c: the rings
// alternate between two turns of one run of three colours, so that no three
// rings of a column match while ring 1 stands one slot off.
char TableCode(int32_t ring, int32_t column) { return static_cast<char>('1' + (column + ring % 2) % 3); }

// The built data folder with the table switched on and level 1-1's table.
class TableDealtData : public CopiedDataFolder {
 public:
  TableDealtData() {
    SetRowValue("strings.xml", kTableSwitchRow, "1");
    std::string table;
    for (int32_t ring = 0; ring < kTableRings; ++ring) {
      for (int32_t column = 0; column < kTableSlots; ++column) table += TableCode(ring, column);
      table += "\n";
    }
    Write("levels/piecetable/piece0101.txt", table);
  }
};

// The tower as the table deals it: no column matches.
std::string DealtColours() {
  std::string lines;
  for (int32_t ring = 0; ring < kTableRings; ++ring) {
    for (int32_t slot = 0; slot < kTableSlots; ++slot) lines += static_cast<char>(TableCode(ring, slot) - 1);
    lines += '\n';
  }
  return lines;
}

bool IsInputLocked(TArcadeWindow& window) { return window.GetTowerControl()->GetInputLocks()->IsAnyLocked(); }

// Moves game time on in steps until the condition holds or the steps run out.
void WaitUntil(GameDriver& driver, const std::function<bool()>& condition) {
  for (int step = 0; step < kTableWaitSteps && !condition(); ++step) driver.AdvanceTime(kTableWaitStepMs);
}

uint32_t ColourAt(const sys::Picture& picture, const GamePlay::TPoint& point) {
  return picture.At(point.x, point.y);
}

TEST(KnownMatchScenario, TurningRingOneMatchesTheLowRingsWhichVanishAndFillAJug) {
  TableDealtData data;
  BuiltGameStart game;
  game.start.programFolder = data.ProgramFolder();
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Click("playButton");
    driver.Click("level1");
    TArcadeWindow* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
    if (!driver.Check(window && window->GetTowerControl(), "level 1-1 is played")) return;
    WaitUntil(driver, [&] { return !IsInputLocked(*window) && TowerColours(*window) == DealtColours(); });
    const std::string dealt = TowerColours(*window);
    driver.Check(dealt == DealtColours(), "the start-up dealt the table:\n" + dealt);
    GamePlay::IPieceJugModel& jugs = *window->GetScoring()->GetPieceJug();
    driver.Check(jugs.GetFill(0) == 0.0f, "the jugs start empty");
    const sys::Picture before = driver.ShownPicture();

    DragRingOneSlot(driver, *window, 1);
    CaptureScenarioFrame(driver, "popups.png");
    const sys::Picture turned = driver.ShownPicture();
    const GamePlay::TPoint onRing = GUI::PointOnRing(*window, 1, kTableLookSlot);
    driver.Check(ColourAt(turned, onRing) != ColourAt(before, onRing), "the frame shows ring 1 turned");
    driver.Check(ColourAt(turned, kTableOutside) == ColourAt(before, kTableOutside), "and the same backdrop");
    driver.Check(TowerColours(*window).substr(0, kTableSlots) != dealt.substr(0, kTableSlots),
                 "the matched pieces of the lowest ring went and those above fell into their place:\n" +
                     TowerColours(*window));
    WaitUntil(driver, [&] { return !IsInputLocked(*window) && jugs.GetFill(0) > 0.0f; });
    driver.Check(!IsInputLocked(*window), "the tower settles");
    driver.Check(jugs.GetFill(0) > 0.0f, "the first white jug, taking every colour, fills");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
