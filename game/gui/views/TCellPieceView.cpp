#include "game/gui/views/TCellPieceView.h"

namespace GUI {

void TCellPieceView::DrawInPlace() {
  Draw(mPlace.GetPosition(), 1.0f, mPlace.GetScaleX(), mPlace.GetScaleY(), CentreAngle());
}

}  // namespace GUI
