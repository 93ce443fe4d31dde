#pragma once

#include <string>
#include <vector>

#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/powerups/IPowerUpFactory.h"

// A power-up that only writes down where it was set off ("2 7"). It says it
// is of the given kind, a kind the tower treats like any other by default.
class RecordingPowerUp : public GamePlay::IPowerUp {
 public:
  explicit RecordingPowerUp(GamePlay::TPowerUpKind kind = GamePlay::TPowerUpKind::ChangeColor)
      : mKind(kind) {}

  std::vector<std::string> activations;

  GamePlay::TPowerUpKind GetKind() const override { return mKind; }

  void Activate(int32_t ring, int32_t slot, GamePlay::ITowerModel*,
                GamePlay::TPowerUpPtr) override {
    activations.push_back(std::to_string(ring) + " " + std::to_string(slot));
  }
  void SetView(const std::weak_ptr<GamePlay::IPowerUpView>& view) override { mView = view; }
  std::shared_ptr<GamePlay::IPowerUpView> GetView() override { return mView.lock(); }
  float GetTimer() override { return mTimer; }
  void SetTimer(float timer) override { mTimer = timer; }
  GamePlay::TPiecePtr GetCell(GamePlay::TCell& cell) override;
  void SetCell(const GamePlay::TPiecePtr& piece, int32_t ring, int32_t slot) override;
  std::vector<GamePlay::TCell> GetArea(int32_t, int32_t, GamePlay::ITowerModel*) override {
    return {};
  }

 private:
  GamePlay::TPowerUpKind mKind;
  std::weak_ptr<GamePlay::IPowerUpView> mView;
  float mTimer = 0;
  GamePlay::TPiecePtr mPiece;
  GamePlay::TCell mCell;
};

// Makes recording power-ups of the kind each creation code stands for, and
// writes down the codes asked for; an unknown code makes nothing.
class RecordingPowerUpFactory final : public GamePlay::IPowerUpFactory {
 public:
  std::vector<int32_t> codes;
  std::vector<std::shared_ptr<RecordingPowerUp>> made;

  GamePlay::TPowerUpPtr CreatePowerUp(int32_t code) override;
  GamePlay::TPowerUpPtr CreateLock() override { return Make(GamePlay::TPowerUpKind::Lock); }
  GamePlay::TPowerUpPtr CreateGear() override { return Make(GamePlay::TPowerUpKind::Gear); }
  GamePlay::TPowerUpPtr CreateNone() override { return nullptr; }

 private:
  GamePlay::TPowerUpPtr Make(GamePlay::TPowerUpKind kind);
};
