#pragma once

#include <string>
#include <vector>

#include "game/rules/IScoringModel.h"

// A scoring model that writes down every event it is told, by name
// ("OnRingTurned 2", "AddLockExplode").
class RecordingScoringModel final : public GamePlay::IScoringModel {
 public:
  std::vector<std::string> events;

  void OnRingTurned(int32_t ring) override { Note("OnRingTurned " + std::to_string(ring)); }
  void AddLockExplode() override { Note("AddLockExplode"); }
  void AddGearExplode() override { Note("AddGearExplode"); }
  void AddBlockerExplode() override { Note("AddBlockerExplode"); }

 private:
  void Note(std::string event) { events.push_back(std::move(event)); }
};
