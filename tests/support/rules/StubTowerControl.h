#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/ITowerControlPolicy.h"
#include "game/rules/control/TInputLocks.h"

// Plays the tower control as far as the scoring model and the explosions
// rely on it: it holds the input locks and the model, ends the play under the
// end-of-play lock as the real control does, and writes down the calls it
// gets to end the play ("EndPlay", "EndLevel") and the tutorial's
// ("ClearRefusedRings", "AddRefusedRing 2", "QueueMove 1 -3"). Pointer input
// does nothing.
class StubTowerControl final : public GamePlay::ITowerControl {
 public:
  explicit StubTowerControl(GamePlay::ITowerModel* model = nullptr,
                            GamePlay::ITowerView* view = nullptr,
                            GamePlay::ISoundFactoryView* sound = nullptr)
      : model(model), view(view), sound(sound) {}

  GamePlay::ITowerModel* model;
  GamePlay::ITowerView* view;
  GamePlay::ISoundFactoryView* sound;
  GamePlay::TInputLocks locks;
  std::vector<std::string> events;
  std::vector<std::unique_ptr<GamePlay::ITowerControlPolicy>> policies;
  bool flag = true;

  void OnPress(const GamePlay::TPoint&) override {}
  void OnRelease(const GamePlay::TPoint&) override {}
  void RePress(const GamePlay::TPoint&) override {}
  void OnButton(const GamePlay::TPoint&) override {}
  void OnMove(const GamePlay::TPoint&) override {}
  void AddSubController(std::unique_ptr<GamePlay::ITowerControlPolicy> policy) override {
    policies.push_back(std::move(policy));
  }
  GamePlay::TInputLocks* GetInputLocks() override { return &locks; }
  void EndTimeUp() override;
  void EndNoMove() override;
  // Commits the total through the model's scoring model.
  void EndPlay() override;
  // Tells the view that the level ends.
  void EndLevel() override;
  GamePlay::ITowerModel* GetModel() override { return model; }
  GamePlay::ITowerView* GetView() override { return view; }
  GamePlay::ISoundFactoryView* GetSoundView() override { return sound; }
  // Runs the policies.
  void Update() override;
  void ClearRefusedRings() override { events.push_back("ClearRefusedRings"); }
  void AddRefusedRing(int32_t ring) override { events.push_back("AddRefusedRing " + std::to_string(ring)); }
  void QueueMove(int32_t ring, int32_t steps) override {
    events.push_back("QueueMove " + std::to_string(ring) + " " + std::to_string(steps));
  }
  void SetFlag(bool on) override { flag = on; }
  bool GetFlag() override { return flag; }

 private:
  // Takes the end-of-play lock; false when it was already held.
  bool TakeEndLock();
};
