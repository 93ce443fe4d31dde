#pragma once

#include "game/rules/pieces/IPiece.h"

namespace GamePlay {

// What every piece keeps (its view and drawing offset), and the answers of a
// piece that holds a place and nothing else: settled, matching nothing,
// carrying nothing, without colour.
class TPieceBase : public IPiece {
 public:
  void SetView(TPieceViewPtr view) override { mView = std::move(view); }
  TPieceViewPtr GetView() override { return mView; }
  TPiecePtr GetInner() override { return shared_from_this(); }
  bool IsVoid() override { return false; }
  bool Matches(IPiece&) override { return false; }
  void SetJugMark(TIntPair) override {}
  TIntPair GetJugMark() override { return {0, 0}; }
  void OnRemoved(int32_t, int32_t, ITowerModel*) override {}
  int32_t GetColour() override { return kNoColour; }
  bool IsSettled() override { return true; }
  bool IsTriggered() override { return true; }
  TPowerUpPtr GetPowerUp() override { return nullptr; }
  void ClearPowerUp(TPowerUpPtr) override {}
  void ChangeColour(int32_t, IPieceFactory*) override {}
  TIntPair GetOffset() override { return mOffset; }
  void SetOffset(int32_t a, int32_t b) override { mOffset = {a, b}; }

 private:
  TPieceViewPtr mView;
  TIntPair mOffset{0, 0};
};

// The placeholder the start-up delivery fills the tower with.
class TEmptyPiece final : public TPieceBase {};

// What a vacant cell holds: void, so it ends runs and takes no marks.
class TNullPiece final : public TPieceBase {
 public:
  bool IsVoid() override { return true; }
  int32_t GetColour() override { return 0; }
};

// A piece wrapped around another, answering for its colour and passing colour
// changes on. Blockers may wrap nothing: they are then colourless.
class TDecoratorPiece : public TPieceBase {
 public:
  TPiecePtr GetInner() override { return mInner; }
  int32_t GetColour() override { return mInner ? mInner->GetColour() : kNoColour; }
  void ChangeColour(int32_t colour, IPieceFactory* factory) override;

 protected:
  explicit TDecoratorPiece(TPiecePtr inner) : mInner(std::move(inner)) {}
  bool InnerMatches(IPiece& other) { return mInner && mInner->Matches(other); }
  IPiece& Inner() { return *mInner; }

 private:
  TPiecePtr mInner;
};

// A piece in passage (disappearing, falling, moving, raising): it wraps a piece
// always, and its jug mark and power-up are the inner piece's.
class TTransientPiece : public TDecoratorPiece {
 public:
  void SetJugMark(TIntPair mark) override { Inner().SetJugMark(mark); }
  TIntPair GetJugMark() override { return Inner().GetJugMark(); }
  TPowerUpPtr GetPowerUp() override { return Inner().GetPowerUp(); }
  void ClearPowerUp(TPowerUpPtr powerUp) override { Inner().ClearPowerUp(std::move(powerUp)); }

 protected:
  explicit TTransientPiece(TPiecePtr inner) : TDecoratorPiece(std::move(inner)) {}
};

}  // namespace GamePlay
