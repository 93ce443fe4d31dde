#pragma once

#include <map>
#include <string>
#include <vector>

#include "game/rules/tower/IPieceJugModel.h"

// Jugs that do what the test arranges: a jug takes the pieces of its colour
// (or of any colour) unless a blocking ring is set for it or it is full, and
// writes down the energy poured ("2 5 7 3": colour, ring, jug, size).
// fillsAll makes a pour report that every jug is full; the jug last pointed
// at is kept.
class FakePieceJugs final : public GamePlay::IPieceJugModel {
 public:
  explicit FakePieceJugs(const GamePlay::TJugSetup& setup) : setup(setup) {}

  GamePlay::TJugSetup setup;
  std::vector<int32_t> colours = std::vector<int32_t>(12, kNoJug);
  std::vector<float> fills = std::vector<float>(12, 0.0f);
  std::map<int32_t, int32_t> blockingRings;  // jug -> ring
  std::map<int32_t, uint32_t> linkedCounts;   // jug -> count; 0 when left out
  std::vector<uint32_t> groupStarts;
  bool fillsAll = false;
  int32_t currentJug = -1;
  std::vector<std::string> poured;
  float energyRate = 0;
  bool rateFlag = false;
  GamePlay::ITowerModel* tower = nullptr;
  GamePlay::ITimeController* timer = nullptr;
  GamePlay::ITowerControl* control = nullptr;
  GamePlay::TPieceSeqBomb* sequence = nullptr;

  float GetFill(int32_t jug) override { return IsJug(jug) ? fills[jug] : 0; }
  void SetFill(int32_t jug, float fill) override;
  int32_t GetColour(int32_t jug) override { return IsJug(jug) ? colours[jug] : kNoJug; }
  uint32_t GetLinkedCount(int32_t jug) override {
    auto found = linkedCounts.find(jug);
    return found == linkedCounts.end() ? 0 : found->second;
  }
  uint32_t GetJugCount() override { return static_cast<uint32_t>(colours.size()); }
  std::vector<uint32_t> GetGroupStarts() override { return groupStarts; }
  void SetCurrentJug(int32_t jug) override { currentJug = jug; }
  int32_t GetCurrentGroup() override { return -1; }
  bool CanAccept(int32_t colour, int32_t ring, int32_t jug, int32_t& blockingRing) override;

  void SetJugs(const std::vector<int32_t>& jugColours, float rate, bool flag) override;
  bool AddEnergy(int32_t colour, int32_t ring, int32_t jug, int32_t size,
                 int32_t& blockingRing) override;
  void SetTower(GamePlay::ITowerModel* attached) override { tower = attached; }
  void SetTimeController(GamePlay::ITimeController* attached) override { timer = attached; }
  void SetColourBombSequence(GamePlay::ITowerControl* attachedControl,
                             GamePlay::TPieceSeqBomb* attachedSequence) override {
    control = attachedControl;
    sequence = attachedSequence;
  }

 private:
  bool IsJug(int32_t jug) const { return jug >= 0 && jug < static_cast<int32_t>(colours.size()); }
};
