#pragma once

namespace GamePlay {

class ILevelResultStore;
class ILevelStatus;
class IMetricsRecorder;
class IPlayMode;

// What the rules tell the game and ask of it, handed down by the game when it
// builds the model of a level; nothing here is owned, and all of it must
// outlive that model. The metrics may be null (then nothing is counted); the
// tower factory and the scoring model need the others.
struct TGameRecords {
  IMetricsRecorder* metrics = nullptr;
  ILevelResultStore* results = nullptr;
  ILevelStatus* status = nullptr;
  IPlayMode* playMode = nullptr;
};

}  // namespace GamePlay
