#pragma once

#include <string>
#include <vector>

#include "game/rules/IScoringModel.h"

// Writes groups as "{0 3, 1 3, 2 3} {4 3}": each group's cells as ring and slot.
std::string DescribeGroups(const GamePlay::TGroupList& groups);

// A scoring model that writes down every event it is told, by name
// ("OnRingTurned 2", "ScoreMatch 3 1 {0 3, 1 3, 2 3}").
class RecordingScoringModel final : public GamePlay::IScoringModel {
 public:
  std::vector<std::string> events;

  void AddSinglePiece() override { Note("AddSinglePiece"); }
  void ScoreMatch(int32_t total, int32_t combo, const GamePlay::TGroupList& groups) override {
    NoteMatch("ScoreMatch", total, combo, groups);
  }
  void MarkJugTargets(int32_t total, int32_t combo, const GamePlay::TGroupList& groups) override {
    NoteMatch("MarkJugTargets", total, combo, groups);
  }
  void ScoreGroups(int32_t total, int32_t combo, const GamePlay::TGroupList& groups) override {
    NoteMatch("ScoreGroups", total, combo, groups);
  }
  void OnRingTurned(int32_t ring) override { Note("OnRingTurned " + std::to_string(ring)); }
  void AddLockExplode() override { Note("AddLockExplode"); }
  void AddGearExplode() override { Note("AddGearExplode"); }
  void AddBlockerExplode() override { Note("AddBlockerExplode"); }

  // The events whose name starts with name.
  std::vector<std::string> Named(const std::string& name) const;

 private:
  void Note(std::string event) { events.push_back(std::move(event)); }
  void NoteMatch(const char* name, int32_t total, int32_t combo,
                 const GamePlay::TGroupList& groups);
};
