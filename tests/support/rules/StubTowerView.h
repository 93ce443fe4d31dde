#pragma once

#include <string>
#include <vector>

#include "game/rules/tower/ITowerMeasurementView.h"
#include "game/rules/tower/ITowerView.h"

// The tower's geometry as the rules' tests see it: 12 slots of pi/6 each, and
// ring r's band from 60 + 25 r (inclusive) to 85 + 25 r pixels (exclusive).
class StubTowerMeasurement final : public GamePlay::ITowerMeasurementView {
 public:
  static constexpr float kFirstBandInner = 60;
  static constexpr float kBandWidth = 25;

  float GetPieceAngle() override;
  float GetRingRadius(int32_t ring) override { return GetInnerRadius(ring) + kBandWidth / 2; }
  float GetRingScaleX(int32_t) override { return 1; }
  float GetRingScaleY(int32_t) override { return 1; }
  float GetPieceHeight() override { return kBandWidth; }
  float GetRadius(int32_t ring) override { return GetInnerRadius(ring) + bandWidth; }
  float GetInnerRadius(int32_t ring) override { return kFirstBandInner + kBandWidth * ring; }
  float GetSlotStartAngle(int32_t, int32_t slot) override { return slot * GetPieceAngle(); }
  float GetSlotEndAngle(int32_t, int32_t slot) override { return (slot + 1) * GetPieceAngle(); }

  // Wider than the step between bands, bands overlap as a tower seen in
  // perspective does: a point can lie on a ring and the one behind it.
  float bandWidth = kBandWidth;
};

// A tower view with its centre at (400, 300) unless a test moves it, that
// keeps what it is told: ring angles (normalised into [0, 2 pi)), marks,
// highlights and hover, and writes the events it hears into a list
// ("ShowTimeUpMessage", "ShowPowerUpArea 2 5").
class StubTowerView final : public GamePlay::ITowerView {
 public:
  explicit StubTowerView(int32_t rings = 8);

  std::vector<std::string> events;
  GamePlay::TPoint centre{400, 300};
  std::vector<float> ringAngles;
  std::vector<std::vector<int32_t>> marks;  // per ring, per slot
  std::vector<GamePlay::TCell> highlights;
  GamePlay::TCell hover;
  bool showingMessage = false;
  bool loseFlowArmed = false;
  bool noMoveShown = false;
  bool timeUpShown = false;
  float jugFill = 0;  // of every jug
  GamePlay::IScriptTutorialView* scriptTutorial = nullptr;
  // Another geometry in place of the stub's own, when set.
  GamePlay::ITowerMeasurementView* measurement = nullptr;

  GamePlay::TPoint GetCentre() override { return centre; }
  uint32_t GetTopRingIndex() override { return static_cast<uint32_t>(ringAngles.size()) - 1; }
  GamePlay::ITowerMeasurementView* GetMeasurement() override {
    return measurement ? measurement : &mMeasurement;
  }
  StubTowerMeasurement& Measurement() { return mMeasurement; }
  float GetRingAngle(int32_t ring) override;
  void SetRingAngle(int32_t ring, float angle) override;
  void SetRingMark(int32_t ring, int32_t value) override;
  void SetPieceMark(int32_t ring, int32_t slot, int32_t value) override;
  bool IsShowingMessage() override { return showingMessage; }
  bool IsLoseFlowArmed() override { return loseFlowArmed; }
  void ShowTimeUpMessage() override { events.push_back("ShowTimeUpMessage"); }
  void ShowNoMoveMessage() override { events.push_back("ShowNoMoveMessage"); }
  void OnLevelEnd() override { events.push_back("OnLevelEnd"); }
  void OnRingTurned(int32_t ring, int32_t steps) override;
  void ResetHighlights() override { highlights.clear(); }
  void AddHighlight(int32_t ring, int32_t slot, bool) override {
    highlights.push_back({ring, slot});
  }
  bool SetHover(int32_t ring, int32_t slot) override;
  void ShowArrow(const std::vector<GamePlay::TArrow>& arrows) override;
  GamePlay::TCell GetHover() override { return hover; }
  float GetJugFill(int32_t) override { return jugFill; }
  void Invalidate() override {}
  void ShowPowerUpArea(int32_t ring, int32_t slot) override;
  GamePlay::IScriptTutorialView* GetScriptTutorial() override { return scriptTutorial; }
  bool IsNoMoveShown() override { return noMoveShown; }
  bool IsTimeUpShown() override { return timeUpShown; }
  void OnMovesDone() override { events.push_back("OnMovesDone"); }

 private:
  bool IsRing(int32_t ring) const;

  StubTowerMeasurement mMeasurement;
};
