#pragma once

#include <string>
#include <vector>

#include "game/rules/IPieceFactory.h"
#include "game/rules/IPowerUp.h"

// A power-up that only writes down where it was set off ("2 7").
class RecordingPowerUp final : public GamePlay::IPowerUp {
 public:
  std::vector<std::string> activations;

  void Activate(int32_t ring, int32_t slot, GamePlay::ITowerModel*, GamePlay::TPowerUpPtr) override {
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
  std::weak_ptr<GamePlay::IPowerUpView> mView;
  float mTimer = 0;
  GamePlay::TPiecePtr mPiece;
  GamePlay::TCell mCell;
};

// A piece factory that offers only its view factory, which is all a piece
// asks of it.
class ViewOnlyPieceFactory final : public GamePlay::IPieceFactory {
 public:
  explicit ViewOnlyPieceFactory(GamePlay::IPieceViewFactory* views) : mViews(views) {}

  GamePlay::TPiecePtr CreateStandard(int32_t, GamePlay::TPowerUpPtr) override { return nullptr; }
  GamePlay::TPiecePtr GetNullPiece() override { return nullptr; }
  GamePlay::TPiecePtr GetEmptyPiece() override { return nullptr; }
  GamePlay::TPiecePtr CreateDisappearing(const GamePlay::TPiecePtr&, const GamePlay::TPiecePtr&,
                                         GamePlay::ITowerModel*) override {
    return nullptr;
  }
  GamePlay::TPiecePtr CreateFalling(const GamePlay::TPiecePtr&, int32_t, int32_t) override {
    return nullptr;
  }
  GamePlay::TPiecePtr CreateRaising(const GamePlay::TPiecePtr&, int32_t) override { return nullptr; }
  GamePlay::TPiecePtr CreateMoving(const GamePlay::TPiecePtr&, int32_t, int32_t) override {
    return nullptr;
  }
  GamePlay::TPiecePtr CreatePowerUpPiece(GamePlay::TPowerUpPtr) override { return nullptr; }
  GamePlay::TPiecePtr CreateBlocked(int32_t, bool) override { return nullptr; }
  GamePlay::TPiecePtr CreateCounter(int32_t, float) override { return nullptr; }
  GamePlay::IPieceViewFactory* GetPieceViewFactory() override { return mViews; }
  int32_t GetColoursInUse() override { return 6; }

 private:
  GamePlay::IPieceViewFactory* mViews;
};
