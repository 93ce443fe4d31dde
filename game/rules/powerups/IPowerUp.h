#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/rules/tower/TCell.h"
#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {

class IPowerUpView;
class ITowerModel;

// What a power-up does; the rules treat some kinds apart (locks and gears bind
// rings, area and time bombs may set each other off).
enum class TPowerUpKind {
  BigAreaBomb,
  ChangeColor,
  ColorBomb,
  TimeBomb,
  Lock,
  LockBreaker,
  Gear,
  GearBreaker,
};

// Something a piece carries that acts on the tower when the piece is removed
// (a bomb, a colour change) or by being there at all (a lock, a gear).
class IPowerUp : public std::enable_shared_from_this<IPowerUp> {
 public:
  virtual ~IPowerUp() = default;

  virtual TPowerUpKind GetKind() const = 0;

  // ring and slot are the carrying cell; self keeps the power-up alive while
  // it acts, even when its piece lets go of it.
  virtual void Activate(int32_t ring, int32_t slot, ITowerModel* model, TPowerUpPtr self) = 0;
  // The view is held weakly: a power-up never keeps its view alive.
  virtual void SetView(const std::weak_ptr<IPowerUpView>& view) = 0;
  virtual std::shared_ptr<IPowerUpView> GetView() = 0;
  // A value the views animate with.
  virtual float GetTimer() = 0;
  virtual void SetTimer(float timer) = 0;
  // The carrying piece, and its cell in cell.
  virtual TPiecePtr GetCell(TCell& cell) = 0;
  virtual void SetCell(const TPiecePtr& piece, int32_t ring, int32_t slot) = 0;
  // The cells Activate would act on; empty for kinds without an area.
  virtual std::vector<TCell> GetArea(int32_t ring, int32_t slot, ITowerModel* model) = 0;
};

}  // namespace GamePlay
