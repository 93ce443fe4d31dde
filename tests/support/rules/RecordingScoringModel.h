#pragma once

#include <string>
#include <vector>

#include "game/rules/scoring/IScoringModel.h"

// Writes groups as "{0 3, 1 3, 2 3} {4 3}": each group's cells as ring and slot.
std::string DescribeGroups(const GamePlay::TGroupList& groups);

// A scoring model that writes down every scoring event it is told, by name
// ("OnRingTurned 2", "ScoreMatch 3 1 {0 3, 1 3, 2 3}", "ScoreBombedPiece 4 7
// 1" for ring, slot and count). It keeps no score; it has the jugs and
// finds the tower stuck as the test sets.
class RecordingScoringModel final : public GamePlay::IScoringModel {
 public:
  std::vector<std::string> events;
  GamePlay::IPieceJugModel* jugs = nullptr;  // not owned
  bool stuck = false;
  float fill = 0;  // what GetFillFraction reads
  int32_t levelScore = 0;
  int32_t medalTarget = 0;
  GamePlay::TLevelKey levelKey;

  void SetObserver(GamePlay::ITowerView*) override {}
  void StartLevel(const GamePlay::TScoringStart&) override {}
  void SetTowerControl(GamePlay::ITowerControl*) override {}
  void SetTimeSource(GamePlay::ITimeController*, float) override {}
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
  GamePlay::TLevelKey GetLevelKey() override { return levelKey; }
  void OnRingTurned(int32_t ring) override { Note("OnRingTurned " + std::to_string(ring)); }
  void CommitTotal() override { Note("CommitTotal"); }
  void LevelEndTally() override { Note("LevelEndTally"); }
  bool IsStuck() override { return stuck; }
  int32_t GetLevelScore() override { return levelScore; }
  int32_t GetDisplayScore() override { return 0; }
  int32_t GetMedalTarget() override { return medalTarget; }
  float GetFillFraction() override { return fill; }
  void Step() override {}
  void AddObserver(GamePlay::IScoringObserver*) override {}
  GamePlay::IPieceJugModel* GetPieceJug() override { return jugs; }
  void ResetJugEnergyRate(int32_t, float, int32_t, const std::vector<int32_t>&) override {}
  bool ScoreBombedPiece(int32_t ring, int32_t slot, int32_t count, bool&) override;
  int32_t GetRemaining() override { return 0; }
  void ExplodeAll() override { Note("ExplodeAll"); }
  void AddLockExplode() override { Note("AddLockExplode"); }
  void AddGearExplode() override { Note("AddGearExplode"); }
  void AddPieceBomb(bool accepted) override { Note(accepted ? "AddPieceBomb 1" : "AddPieceBomb 0"); }
  void AddBlockerExplode() override { Note("AddBlockerExplode"); }

  // The events whose name starts with name.
  std::vector<std::string> Named(const std::string& name) const;

 private:
  void Note(std::string event) { events.push_back(std::move(event)); }
  void NoteMatch(const char* name, int32_t total, int32_t combo,
                 const GamePlay::TGroupList& groups);
};
