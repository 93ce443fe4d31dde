#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/rules/powerups/IPowerUp.h"

namespace GamePlay {

// What every power-up keeps: its view (held weakly), the piece that carries
// it and that piece's cell, and the timer its view animates with; and the
// guard that keeps a power-up from acting again while it acts.
class TPowerUpBase : public IPowerUp {
 public:
  void SetView(const std::weak_ptr<IPowerUpView>& view) override { mView = view; }
  std::shared_ptr<IPowerUpView> GetView() override { return mView.lock(); }
  float GetTimer() override { return mTimer; }
  void SetTimer(float timer) override { mTimer = timer; }
  // The carrying piece is held weakly, since it holds its power-up: empty
  // once the piece is gone.
  TPiecePtr GetCell(TCell& cell) override;
  void SetCell(const TPiecePtr& piece, int32_t ring, int32_t slot) override;
  std::vector<TCell> GetArea(int32_t, int32_t, ITowerModel*) override { return {}; }

 protected:
  explicit TPowerUpBase(float timer = 0) : mTimer(timer) {}

  // Runs act unless this power-up is acting already: its own area may hold
  // a piece that sets it off again.
  template <class Act>
  void ActOnce(Act act) {
    if (mBusy) return;
    mBusy = true;
    act();
    mBusy = false;
  }

 private:
  std::weak_ptr<IPowerUpView> mView;
  std::weak_ptr<IPiece> mPiece;
  TCell mCell;
  float mTimer;
  bool mBusy = false;
};

}  // namespace GamePlay
