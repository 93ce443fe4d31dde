#pragma once

#include <cstdint>

#include "game/rules/tower/TPoint.h"
#include "platform/types/TVec2.h"

namespace GamePlay {
class ITowerMeasurementView;
class ITowerView;
}  // namespace GamePlay

namespace GUI {

// Where one cell of the tower lies on screen: the angles of its slot, its
// scales and the point of its centre, from the measurement and the ring's
// current angle (unless the angle is fixed, for a cell drawn as if its ring
// stood still). With the offset, a cell sits "Piece Height" x (slot + 1)
// further out, as a piece does on its way in.
class TCellLocator {
 public:
  TCellLocator(GamePlay::ITowerView* view, bool fixedAngle);

  void Set(int32_t ring, int32_t slot, bool withOffset);
  int32_t GetRing() const { return mRing; }

  float GetStartAngle() const;
  float GetCentreAngle() const;
  float GetScaleX() const;
  float GetScaleY() const;
  GamePlay::TPoint GetCentre() const;
  TVec2 GetCentreVector() const;
  TVec2 GetPosition() const;

 private:
  int32_t mRing = 0;
  int32_t mSlot = 0;
  float mOffset = 0;
  bool mFixedAngle;
  GamePlay::ITowerMeasurementView* mMeasurement;
  GamePlay::ITowerView* mView;
};

}  // namespace GUI
