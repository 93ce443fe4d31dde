#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/level/TBlockerLayout.h"
#include "game/rules/pieces/TCounterPiece.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/tower/TRandomRingGenerator.h"
#include "game/rules/tower/TRandomSource.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "game/rules/tower/TTower.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/KitPowerUps.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/RecordingSoundView.h"
#include "tests/support/rules/ScriptedRandomSource.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

std::string Carried(IPiece& piece) {
  TPowerUpPtr powerUp = piece.GetPowerUp();
  if (!powerUp) return "";
  if (powerUp->GetKind() == TPowerUpKind::Lock) return "L";
  if (powerUp->GetKind() == TPowerUpKind::Gear) return "G";
  return "?";
}

// "." vacant, "e" the empty piece, "P" a power-up piece, "K3" a counter
// around colour 3, "B-1" a blocker around nothing, "4" a piece of colour 4,
// followed by "L" or "G" when it carries a lock or a gear.
std::string DescribeCell(IPiece& piece) {
  if (piece.IsVoid()) return ".";
  if (dynamic_cast<TEmptyPiece*>(&piece)) return "e";
  if (dynamic_cast<TPowerUpPiece*>(&piece)) return piece.GetPowerUp() ? "P" : "P without one";
  std::string colour = std::to_string(piece.GetColour());
  if (dynamic_cast<TCounterPiece*>(&piece)) return "K" + colour;
  if (dynamic_cast<TBlockedPiece*>(&piece)) return "B" + colour;
  return colour + Carried(piece);
}

// Rows of a piece table, one character per column, the colour codes of
// column 0 and so on; the other columns' places hold fillers.
std::string TableText(const Strings& rows) {
  std::string text;
  for (const std::string& row : rows) text += row + std::string(12 - row.size(), '.') + "\r\n";
  return text;
}

class RingGeneratorTest : public testing::Test {
 protected:
  RingGeneratorTest() { SetLogFolder(mLogs.Path().c_str()); }

  // The setup with the fixture's factories and a scripted source that gives
  // numbers as queued (0 when none).
  TRingGeneratorSetup SetupOf(uint32_t rings, std::deque<int32_t> numbers = {}) {
    TRingGeneratorSetup setup;
    setup.ringCount = rings;
    auto source = std::make_unique<ScriptedRandomSource>(std::move(numbers));
    random = source.get();
    setup.random = std::move(source);
    return setup;
  }
  // The generator and a tower of its rings; the tower attaches itself,
  // which deals the start pieces.
  TRandomRingGenerator& Build(TRingGeneratorSetup setup) {
    setup.pieceFactory = &pieces;
    setup.powerUpFactory = &powerUps;
    uint32_t rings = setup.ringCount;
    generator = std::make_unique<TRandomRingGenerator>(std::move(setup));
    TTowerSetup towerSetup;
    towerSetup.ringCount = rings;
    towerSetup.generator = generator.get();
    towerSetup.pieceFactory = &pieces;
    towerSetup.powerUpFactory = &powerUps;
    towerSetup.scoring = &scoring;
    towerSetup.sound = &sound;
    tower = std::make_unique<TTower>(towerSetup);
    return *generator;
  }
  // The next count pieces of a column, described and joined by blanks.
  std::string Deal(int32_t column, int count) {
    std::string dealt;
    for (int i = 0; i < count; ++i) {
      if (i > 0) dealt += ' ';
      dealt += DescribeCell(*generator->NextPiece(column));
    }
    return dealt;
  }
  void CountDeliveries(int count) {
    for (int i = 0; i < count; ++i) generator->CountDelivery();
  }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TestFileLayer mFiles;
  TempFolder mLogs;
  NullPieceViewFactory views;
  RecordingSoundView sound;
  KitPieceFactory pieces{&views, &sound};
  RecordingPowerUpFactory powerUps;
  RecordingScoringModel scoring;
  ScriptedRandomSource* random = nullptr;  // owned by the generator
  std::unique_ptr<TRandomRingGenerator> generator;
  std::unique_ptr<TTower> tower;
};

TEST_F(RingGeneratorTest, StartPiecesAreDealtFirstThenNewOnes) {
  TRingGeneratorSetup setup = SetupOf(3);
  setup.random = std::make_unique<TRandomSource>(5);
  TRandomRingGenerator& g = Build(std::move(setup));
  EXPECT_EQ(g.GetRingCount(), 3u);
  EXPECT_EQ(g.GetThird(), -1);
  EXPECT_EQ(g.GetSlotCount(), 12u);
  ASSERT_EQ(views.made.size(), 36u) << "one piece per ring in every column";

  std::vector<IPiece*> dealt;
  for (int i = 0; i < 3; ++i) dealt.push_back(g.NextPiece(4).get());
  EXPECT_EQ(views.made.size(), 36u) << "the start pieces were made already";
  g.NextPiece(4);
  EXPECT_EQ(views.made.size(), 37u);
  g.NextPiece(5);
  EXPECT_EQ(views.made.size(), 37u) << "column 5 still has its own start pieces";

  g.SetTower(tower.get());
  EXPECT_EQ(views.made.size(), 37u + 36u) << "a new tower gets new start pieces";
  EXPECT_NE(g.NextPiece(4).get(), dealt[0]);
}

TEST_F(RingGeneratorTest, AColumnOutsideTheTowerGetsTheNullPiece) {
  TRandomRingGenerator& g = Build(SetupOf(2));
  EXPECT_EQ(g.NextPiece(-1), pieces.GetNullPiece());
  EXPECT_EQ(g.NextPiece(12), pieces.GetNullPiece());
}

TEST_F(RingGeneratorTest, TheSameSeedDealsTheSameRings) {
  auto dealAll = [this](uint32_t seed) {
    TRingGeneratorSetup setup = SetupOf(6);
    setup.random = std::make_unique<TRandomSource>(seed);
    setup.powerUpAppearRate = 0.2f;
    setup.linkRates = {3, 5, 4, 4};
    Build(std::move(setup));
    powerUps.codes.clear();
    std::string dealt;
    for (int round = 0; round < 12; ++round) {
      for (int32_t column = 0; column < 12; ++column) dealt += Deal(column, 1) + " ";
      CountDeliveries(2);
    }
    return dealt + " " + std::to_string(powerUps.codes.size());
  };
  std::string first = dealAll(1234);
  EXPECT_EQ(dealAll(1234), first);
  EXPECT_NE(dealAll(1235), first);
  EXPECT_NE(first.find('P'), std::string::npos);
  EXPECT_NE(first.find('L'), std::string::npos);
}

TEST_F(RingGeneratorTest, APowerUpPieceComesWhenTheRateExceedsTheRoll) {
  struct Case {
    float rate;
    int32_t roll;  // thousandths
    bool powerUp;
  };
  const Case cases[] = {
      {0.0f, 0, false},  {0.5f, 499, true}, {0.5f, 500, false},
      {1.0f, 999, true}, {0.25f, 0, true},  {-1.0f, 0, false},
  };
  for (const Case& c : cases) {
    TRingGeneratorSetup setup = SetupOf(0, {3, c.roll, 4});
    setup.powerUpAppearRate = c.rate;
    Build(std::move(setup));
    powerUps.codes.clear();
    TPiecePtr piece = generator->NextPiece(0);
    EXPECT_EQ(DescribeCell(*piece), c.powerUp ? "P" : "3") << c.rate << " against " << c.roll;
    if (c.powerUp) {
      EXPECT_EQ(random->bounds, (std::vector<int32_t>{6, 1000, 6}));
      EXPECT_EQ(powerUps.codes, std::vector<int32_t>{4}) << "the code is rolled below the colours";
      EXPECT_EQ(piece->GetColour(), 4) << "and is the piece's colour";
    }
  }
}

TEST_F(RingGeneratorTest, RatesZeroAndOneGiveNoneAndOnlyPowerUpPieces) {
  for (float rate : {0.0f, 1.0f}) {
    TRingGeneratorSetup setup = SetupOf(4);
    setup.random = std::make_unique<TRandomSource>(99);
    setup.powerUpAppearRate = rate;
    Build(std::move(setup));
    int powerUpPieces = 0;
    for (int i = 0; i < 1000; ++i) {
      if (DescribeCell(*generator->NextPiece(i % 12)) == "P") ++powerUpPieces;
    }
    EXPECT_EQ(powerUpPieces, rate == 0 ? 0 : 1000) << rate;
  }
}

TEST_F(RingGeneratorTest, ColoursAreDealtBelowTheColoursInPlayWhateverTheSetting) {
  struct Case {
    int32_t setting;
    int32_t bound;
  };
  for (Case c : {Case{0, 1}, Case{-3, 1}, Case{1, 1}, Case{4, 4}, Case{6, 6}, Case{9, 6}}) {
    pieces.coloursInUse = c.setting;
    Build(SetupOf(0, {1000005}));
    std::string expected = std::to_string(1000005 % c.bound);
    EXPECT_EQ(Deal(0, 1), expected) << c.setting;
    EXPECT_EQ(random->bounds.front(), c.bound) << c.setting;
  }
}

TEST_F(RingGeneratorTest, ATableDealsItsColumnsInTurnAndStampsEachDraw) {
  TRingGeneratorSetup setup = SetupOf(2);
  setup.table = std::make_unique<TPieceTable>(TableText({"1", "2", "0", "9", "7"}), 12);
  Build(std::move(setup));
  EXPECT_EQ(Deal(0, 2), "0 1") << "the start pieces";
  EXPECT_EQ(Deal(0, 8), "e 5 5 0 1 e 5 5") << "'0' is the empty piece, 7 to 9 the last colour";

  pieces.coloursInUse = 4;
  TRingGeneratorSetup fewer = SetupOf(0);
  fewer.table = std::make_unique<TPieceTable>(TableText({"4", "5", "6"}), 12);
  Build(std::move(fewer));
  EXPECT_EQ(Deal(0, 3), "3 3 3");

  TRingGeneratorSetup stamped = SetupOf(0);
  stamped.table = std::make_unique<TPieceTable>(TableText({"11", "2"}), 12);
  Build(std::move(stamped));
  generator->NextPiece(0);
  EXPECT_EQ(generator->NextPiece(0)->GetOffset(), (TIntPair{2, 1}));
  EXPECT_EQ(generator->NextPiece(1)->GetOffset(), (TIntPair{1, 2}));
}

TEST_F(RingGeneratorTest, AColumnWithoutEntriesDealsRandomColours) {
  TRingGeneratorSetup setup = SetupOf(0, {4, 0, 2, 0});
  setup.table = std::make_unique<TPieceTable>(TableText({"3"}), 12);
  Build(std::move(setup));
  EXPECT_EQ(Deal(0, 1), "2");
  EXPECT_EQ(random->bounds, std::vector<int32_t>{1000}) << "only the power-up roll";
  random->bounds.clear();
  random->queued = {4, 0};
  EXPECT_EQ(Deal(1, 1), "4");
  EXPECT_EQ(random->bounds, (std::vector<int32_t>{6, 1000}));
  EXPECT_EQ(generator->NextPiece(1)->GetOffset(), (TIntPair{0, 0})) << "no draw of the table";
}

TEST_F(RingGeneratorTest, TableMarksGiveLocksGearsAndZenCounters) {
  for (bool zen : {false, true}) {
    TRingGeneratorSetup setup = SetupOf(1);
    // Column 0: 1 with a lock, 2 with a gear, 3 with both, 4 a counter, 5.
    setup.table = std::make_unique<TPieceTable>(
        TableText({"1", "*", "2", "+", "3", "*", "+", "4", "c", "5"}), 12);
    setup.zen = zen;
    Build(std::move(setup));
    EXPECT_EQ(Deal(0, 6), zen ? "0L 1G 2L K3 4 0L" : "0L 1G 2L 3 4 0L")
        << "the start piece takes its marks too";
  }
  // The Zen generator, built last, is back at its second entry.
  generator->NextPiece(0);
  generator->NextPiece(0);
  TPiecePtr counter = generator->NextPiece(0);
  EXPECT_EQ(dynamic_cast<TCounterPiece&>(*counter).GetRemaining(),
            TRandomRingGenerator::kCounterStart);
}

TEST_F(RingGeneratorTest, LocksAndGearsComeByRateWhileTheTowerHasRoom) {
  TRingGeneratorSetup setup = SetupOf(2);
  setup.random = std::make_unique<TRandomSource>(3);
  setup.linkRates = {2, 3, 2, 1};  // appear rates, then the most of each
  Build(std::move(setup));
  auto links = [this](int count) {
    std::string found;
    for (int i = 0; i < count; ++i) found += Carried(*generator->NextPiece(0)) + "-";
    return found;
  };
  EXPECT_EQ(links(2), "--") << "start pieces never get one";
  EXPECT_EQ(links(1), "-") << "nothing removed yet";
  CountDeliveries(2);
  EXPECT_EQ(links(1), "-") << "removals must exceed the rate";
  CountDeliveries(2);
  EXPECT_EQ(links(3), "L-G--") << "a lock before a gear; each waits for removals again";
  CountDeliveries(3);
  EXPECT_EQ(links(2), "L--") << "the lock's rate is passed, the gear's is not";
  CountDeliveries(1);
  EXPECT_EQ(links(1), "G-");

  // The tower now holds as many locks and gears as allowed.
  tower->SetPiece(0, 0, pieces.CreateStandard(0, powerUps.CreateLock()));
  tower->SetPiece(0, 1, pieces.CreateStandard(0, powerUps.CreateLock()));
  tower->SetPiece(1, 0, pieces.CreateStandard(0, powerUps.CreateGear()));
  CountDeliveries(10);
  EXPECT_EQ(links(1), "-");
  tower->SetPiece(0, 1, pieces.CreateStandard(0, nullptr));
  EXPECT_EQ(links(1), "L-");
}

TEST_F(RingGeneratorTest, NoLockEverWithALockMaxOfZero) {
  TRingGeneratorSetup setup = SetupOf(0);
  setup.random = std::make_unique<TRandomSource>(8);
  setup.linkRates = {-1, 1000, 0, 0};
  Build(std::move(setup));
  for (int i = 0; i < 200; ++i) {
    CountDeliveries(5);
    ASSERT_EQ(Carried(*generator->NextPiece(i % 12)), "") << i;
  }
}

TEST_F(RingGeneratorTest, TheLayoutReplacesStartPiecesOnly) {
  WriteStringTable(mFiles, "levels/world01.xml",
                   {{"Lvl01 Max Rings", "3"},
                    {"Lvl01 Piece Delivery From Top", "1"},
                    {"Lvl01 Blocker Row 01", "x!bp."},
                    {"Lvl01 Blocker Row 03", ".3.."}});
  auto settings = TLevelSettings::Load({1, 1}, "levels/world01.xml", false);
  TBlockerLayout layout(*settings, true);
  TRingGeneratorSetup setup = SetupOf(3);
  setup.table = std::make_unique<TPieceTable>(TableText({"2222"}), 12);
  setup.layout = &layout;
  Build(std::move(setup));
  EXPECT_EQ(Deal(0, 4), ". 1 1 1");
  EXPECT_EQ(Deal(1, 4), "0 1 B2 1");
  EXPECT_EQ(Deal(2, 4), "B-1 1 1 1");
  EXPECT_EQ(Deal(3, 4), "P 1 1 1");
}

class RingGeneratorSettingsTest : public RingGeneratorTest {
 protected:
  std::unique_ptr<TLevelSettings> Level(TLevelKey key) {
    const char* file = key.world == 0 ? "levels/zen.xml" : "levels/world02.xml";
    WriteStringTable(mFiles, file,
                     {{"Lvl03 Max Rings", "7"},
                      {"Lvl03 PowerUp Appear Rate", "0.125"},
                      {"Lvl03 Lock Appear Rate", "30"},
                      {"Lvl03 Gear Appear Rate", "40"},
                      {"Lvl03 Lock Max", "2"},
                      {"Lvl03 Gear Max", "3"}});
    return TLevelSettings::Load(key, file, false);
  }
};

TEST_F(RingGeneratorSettingsTest, TheSetupTakesTheLevelsCountsAndRates) {
  for (TLevelKey key : {TLevelKey{2, 3}, TLevelKey{0, 3}}) {
    TRingGeneratorSetup setup = TRandomRingGenerator::SetupFromSettings(*Level(key), false);
    EXPECT_EQ(setup.ringCount, 7u);
    EXPECT_EQ(setup.slotCount, 12u);
    EXPECT_EQ(setup.powerUpAppearRate, 0.125f);
    EXPECT_EQ(setup.linkRates.lockAppearRate, 30);
    EXPECT_EQ(setup.linkRates.gearAppearRate, 40);
    EXPECT_EQ(setup.linkRates.lockMax, 2);
    EXPECT_EQ(setup.linkRates.gearMax, 3);
    EXPECT_EQ(setup.zen, key.world == 0);
    EXPECT_EQ(setup.table, nullptr) << "not dealing from tables";
  }
}

TEST_F(RingGeneratorSettingsTest, ALevelWithoutItsTableDealsAtRandom) {
  auto settings = Level({2, 3});
  TRingGeneratorSetup setup = TRandomRingGenerator::SetupFromSettings(*settings, true);
  EXPECT_EQ(setup.table, nullptr);
  EXPECT_NE(LogText().find("Cannot read the piece table levels/piecetable/piece0203.txt"),
            std::string::npos);
  setup.powerUpAppearRate = 0;
  setup.random = std::make_unique<ScriptedRandomSource>();
  auto* numbers = static_cast<ScriptedRandomSource*>(setup.random.get());
  Build(std::move(setup));
  EXPECT_EQ(views.made.size(), 7u * 12u);
  EXPECT_EQ(numbers->bounds.front(), 6) << "a random colour";

  mFiles.WriteAsset("levels/piecetable/piece0203.txt", TableText({"5"}));
  ClearFileIndex();
  BuildFileIndex();
  TRingGeneratorSetup dealt = TRandomRingGenerator::SetupFromSettings(*settings, true);
  ASSERT_NE(dealt.table, nullptr);
  EXPECT_EQ(dealt.table->GetEntries(0).size(), 1u);
}

}  // namespace
}  // namespace GamePlay
