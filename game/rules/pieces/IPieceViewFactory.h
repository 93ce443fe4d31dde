#pragma once

#include <cstdint>
#include <memory>

#include "game/rules/pieces/IPieceView.h"
#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class ITowerModel;

// Makes the view of every piece the rules create. Each maker is called only
// with a piece of its own kind.
class IPieceViewFactory {
 public:
  virtual ~IPieceViewFactory() = default;

  // The same shared view every call.
  virtual TPieceViewPtr GetNullView() = 0;
  virtual TPieceViewPtr CreateStandardView(const TPiecePtr& piece) = 0;
  virtual TPieceViewPtr CreatePowerUpPieceView(const TPiecePtr& piece) = 0;
  // The tower is kept for the drawers of the vanishing piece.
  virtual TPieceViewPtr CreateDisappearingView(const TPiecePtr& piece, ITowerModel* tower) = 0;
  virtual TPieceViewPtr CreateFallingView(const TPiecePtr& piece) = 0;
  virtual TPieceViewPtr CreateRaisingView(const TPiecePtr& piece) = 0;
  virtual TPieceViewPtr CreateMovingView(const TPiecePtr& piece) = 0;
  // colour -1: a plain blocker; else the coloured piece inside draws itself.
  virtual TPieceViewPtr CreateBlockedView(const TPiecePtr& piece, int32_t colour) = 0;
  virtual TPieceViewPtr CreateCounterView(const TPiecePtr& piece) = 0;
};

}  // namespace GamePlay
