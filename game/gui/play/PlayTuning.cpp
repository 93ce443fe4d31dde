#include "game/gui/play/PlayTuning.h"

#include "platform/xml/TStringTable.h"

namespace GUI {

namespace {

// A missing label reads "#####", which converts to 0.
class TTuningReader {
 public:
  explicit TTuningReader(const TStringTable* strings) : mStrings(strings) {}

  float Number(const char* key) const { return mStrings ? mStrings->GetString(key).ToFloat() : 0.0f; }
  int32_t Integer(const char* key) const { return mStrings ? mStrings->GetString(key).ToInt() : 0; }
  bool Switch(const char* key) const { return Integer(key) != 0; }

 private:
  const TStringTable* mStrings;
};

}  // namespace

// In the order the play screen has always read them.
TPlayTuning ReadPlayTuning(const TStringTable* strings) {
  const TTuningReader read(strings);
  TPlayTuning tuning;
  GamePlay::TTowerTuning& tower = tuning.tower;
  tower.clickRotationRate = read.Number("Click Rotation Rate");
  tower.snapRotationRate = read.Number("Snap Rotation Rate");
  tower.holdRotationSpeedUp = read.Number("Hold Rotation SpeedUp Rate");
  tower.clickRotationDelay = read.Number("Click Rotation Delay Rate");
  tower.disappearingRate = read.Number("Disappearing Rate");
  tower.highlightDelayTime = read.Integer("Highlight Delay Time");
  tuning.bpm = read.Number("BPM");
  tower.energyRateFromBomb = read.Number("Energy Rate from Bomb");
  tower.areaBombWidth = read.Integer("Area bomb Width");
  tower.areaBombHeight = read.Integer("Area bomb Height");
  tower.bombChainReaction = read.Switch("Bomb Chain Reaction");
  tower.counterBlockerDeliveryRate = read.Number("Counter Blocker Delivery Rate");
  tower.usingTableGenerate = read.Switch("Using Table Generate");
  tower.timeBombRate = read.Number("Time Bomb Rate");
  tower.linkedBlockMoving = read.Integer("Linked Block Moving") == 1;
  tuning.ringHighlight = read.Switch("Ring Highlight");
  tower.colouredBlocker = read.Switch("Colored Blocker");
  tuning.pieceAnimationSpeed = read.Number("Piece Animation Speed");
  return tuning;
}

TLevelTuning ReadLevelTuning(const TStringTable* strings) {
  const TTuningReader read(strings);
  return {read.Integer("Seq Explosion Time"), read.Number("Pie Scale Rate")};
}

}  // namespace GUI
