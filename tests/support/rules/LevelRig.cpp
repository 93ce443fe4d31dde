#include "tests/support/rules/LevelRig.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "game/rules/tower/IRingGenerator.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/level/PieceTableFile.h"
#include "game/rules/powerups/PowerUpTableFile.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/powerups/TPowerUpControl.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/TTower.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"

using namespace GamePlay;

namespace {

constexpr float kSlotAngle = std::numbers::pi_v<float> / 6;

TString LevelFileName(const TLevelKey& key) {
  if (key.world == 0) return "levels/zen.xml";
  return TString::Format("levels/world%02u.xml", key.world);
}

char CellCode(IPiece& piece) {
  if (piece.IsVoid()) return '.';
  if (dynamic_cast<TDisappearingPiece*>(&piece)) return 'x';
  if (!piece.IsSettled()) return '~';
  int32_t colour = piece.GetColour();
  return colour < 0 ? '#' : static_cast<char>('0' + colour);
}

template <class TList>
void AppendLines(std::string& trace, const char* kind, const TList& lines) {
  for (const auto& line : lines) trace += std::string(kind) + ": " + line + "\n";
}

}  // namespace

LevelTuning SnappyTuning() {
  LevelTuning tuning;
  tuning.tower.clickRotationRate = 0.1f;
  tuning.tower.snapRotationRate = 0.1f;
  tuning.tower.clickRotationDelay = 0.25f;
  tuning.tower.highlightDelayTime = 300;
  return tuning;
}

LevelTuning TuningFromStrings() {
  TStringTable strings;
  strings.Load("strings.xml");
  auto number = [&strings](const char* key) { return strings.GetString(key).ToFloat(); };
  auto integer = [&strings](const char* key) { return strings.GetString(key).ToInt(); };
  LevelTuning tuning;
  TTowerTuning& tower = tuning.tower;
  tower.clickRotationRate = number("Click Rotation Rate");
  tower.snapRotationRate = number("Snap Rotation Rate");
  tower.holdRotationSpeedUp = number("Hold Rotation SpeedUp Rate");
  tower.clickRotationDelay = number("Click Rotation Delay Rate");
  tower.disappearingRate = number("Disappearing Rate");
  tower.highlightDelayTime = integer("Highlight Delay Time");
  tower.energyRateFromBomb = number("Energy Rate from Bomb");
  tower.areaBombWidth = integer("Area bomb Width");
  tower.areaBombHeight = integer("Area bomb Height");
  tower.bombChainReaction = integer("Bomb Chain Reaction") != 0;
  tower.counterBlockerDeliveryRate = number("Counter Blocker Delivery Rate");
  tower.usingTableGenerate = integer("Using Table Generate") != 0;
  tower.timeBombRate = number("Time Bomb Rate");
  tower.linkedBlockMoving = integer("Linked Block Moving") == 1;
  tower.colouredBlocker = integer("Colored Blocker") != 0;
  tuning.explosionStepTime = integer("Seq Explosion Time");
  tuning.jugLinkFactor = number("Pie Scale Rate");
  return tuning;
}

LevelFileBytes ToBytes(const LevelFiles& files) {
  return {StringTableXml(files.level), StringTableXml(files.scores),
          StringTableXml(files.powerUps), files.pieceTable};
}

LevelRig::LevelRig(const LevelFiles& files, const TLevelKey& key, const LevelTuning& tuning)
    : LevelRig(ToBytes(files), key, tuning) {}

LevelRig::LevelRig(const LevelFileBytes& files, const TLevelKey& key,
                   const LevelTuning& tuning) {
  SetLogFolder(logs.Path().c_str());
  std::srand(1);  // the ring generator's seed
  WriteFiles(files, key);
  SetUpModel(tuning);
  SetUpLevel(key, tuning);
}

LevelRig::~LevelRig() {
  powerUpControl.reset();
  control.reset();
  tower.reset();
  generator.reset();
  scoring.reset();
  factory.reset();
}

LevelRig::LevelRig(const std::string& programFolder, const TLevelKey& key,
                   const LevelTuning& tuning, const LevelViews& ownViews)
    : mOwnViews(ownViews) {
  SetLogFolder(logs.Path().c_str());
  std::srand(1);
  SetProgramFolder(programFolder.c_str());
  ClearFileIndex();
  BuildFileIndex();
  // The level itself, as a player who has seen its tutorial gets it.
  records.tutorialsSeen = true;
  SetUpModel(tuning);
  SetUpLevel(key, tuning);
}

void LevelRig::WriteFiles(const LevelFileBytes& files, const TLevelKey& key) {
  fileLayer.WriteAsset(PieceTableFileName(key, false).CStr(), files.pieceTable);
  fileLayer.WriteAsset("levels/scores.xml", files.scores);
  fileLayer.WriteAsset("levels/powerup.xml", files.powerUps);
  fileLayer.WriteAsset(LevelFileName(key).CStr(), files.level);
  ClearFileIndex();
  BuildFileIndex();
}

IPieceViewFactory* LevelRig::PieceViews() {
  return mOwnViews.pieces ? mOwnViews.pieces : &views;
}

IPowerUpViewFactory* LevelRig::PowerUpViews() {
  return mOwnViews.powerUps ? mOwnViews.powerUps : &views;
}

// The part that lasts as long as the play window: the tower factory and the
// scoring model with its observers.
void LevelRig::SetUpModel(const LevelTuning& tuning) {
  factory = std::make_unique<TTowerFactory>(PowerUpViews(), &sound, records.Records(),
                                            tuning.tower);
  scoring = factory->CreateScoring(LoadPowerUpMatchTable(), LoadPowerUpComboTable(),
                                   LoadEnergyScaleTable());
  scoring->AddObserver(&observer);
}

void LevelRig::SetUpLevel(const TLevelKey& key, const LevelTuning& tuning) {
  std::unique_ptr<TLevelSettings> settings = CreateLevelSettings(key, records);
  if (!settings) return;
  mTowerView = mOwnViews.tower;
  if (!mTowerView) {
    view = std::make_unique<StubTowerView>(settings->GetMaxRings());
    mTowerView = view.get();
  }
  factory->SetLevel(*settings, PieceViews());
  generator = factory->CreateRingGenerator();
  tower = factory->CreateTower(mTowerView, generator.get(), scoring.get());
  control = factory->CreateControl(tower.get(), mTowerView, &delivery, &timer,
                                   settings->GetPieceDeliveryFromTop() != 0,
                                   settings->GetPieceDeliveryWhenTopRingClear() != 0);
  if (timer) scoring->SetTimeSource(timer, settings->GetGameTime());
  scoring->SetObserver(mTowerView);
  TScoringStart start;
  start.tower = tower.get();
  start.singlePieceEnergy = settings->GetBombEnergyScale();
  start.zen = key.world == 0;
  start.explosionStepTime = tuning.explosionStepTime;
  start.jugLinkFactor = tuning.jugLinkFactor;
  start.level = settings->GetKey();
  start.scoreGoal = settings->GetTimeBonusScores();
  start.jugTimeBoost = settings->GetCompleteJugTimeBoost();
  start.clearBlockerBonus = settings->GetClearBlockerBonus();
  scoring->StartLevel(start);
  scoring->ResetJugEnergyRate(settings->GetNumberOfJugColors(), settings->GetGemEnergyRate(),
                              settings->GetRemoveJugColor(), settings->GetPieJugs());
  scoring->SetTowerControl(control.get());
  powerUpControl = std::make_unique<TPowerUpControl>(
      mTowerView, tower.get(), control.get(), factory->GetPieceFactory(), nullptr, &records);
}

void LevelRig::Update(int updates) {
  if (!IsReady()) return;
  for (int i = 0; i < updates; ++i) {
    clock.Update();
    scoring->Step();
    control->Update();
  }
}

TPoint LevelRig::OnRing(int32_t ring, float slots) {
  float radius = StubTowerMeasurement::kFirstBandInner + StubTowerMeasurement::kBandWidth * ring +
                 StubTowerMeasurement::kBandWidth / 2;
  float angle = slots * kSlotAngle;
  return {static_cast<int32_t>(std::lround(400 + radius * std::sin(angle))),
          static_cast<int32_t>(std::lround(300 - radius * std::cos(angle)))};
}

void LevelRig::Drag(int32_t ring, float slots) {
  if (!IsReady()) return;
  control->OnPress(OnRing(ring, 0));
  powerUpControl->OnPress(OnRing(ring, 0));
  Update();
  control->OnMove(OnRing(ring, slots));
  Update();
  control->OnRelease(OnRing(ring, slots));
}

void LevelRig::DoubleClick(int32_t ring, int32_t slot) {
  if (!IsReady()) return;
  for (int press = 0; press < 2; ++press) {
    control->OnPress(OnRing(ring, slot + 0.5f));
    powerUpControl->OnPress(OnRing(ring, slot + 0.5f));
    control->OnRelease(OnRing(ring, slot + 0.5f));
    Update();
  }
}

std::string LevelRig::Picture() {
  std::string picture;
  if (!IsReady()) return picture;
  for (uint32_t ring = 0; ring < tower->GetRingCount(); ++ring) {
    for (uint32_t slot = 0; slot < tower->GetSlotCount(); ++slot) {
      picture += CellCode(*tower->GetPiece(static_cast<int32_t>(ring), static_cast<int32_t>(slot)));
    }
    picture += '\n';
  }
  return picture;
}

std::string LevelRig::Trace() {
  std::string trace;
  AppendLines(trace, "sound", sound.played);
  if (view) AppendLines(trace, "view", view->events);
  AppendLines(trace, "observer", observer.heard);
  return trace + Picture();
}
