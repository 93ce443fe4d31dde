#include "game/gui/effects/TFetchAction.h"

#include <memory>

#include "game/gui/effects/TAnimGraphic.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/effects/TStaticGraphic.h"

namespace GUI {

// The static graphic stands in the pending list twice, once from
// CreateStatic and once from Register: preparing a static graphic does
// nothing, so that costs nothing.
void TFetchStatic::Fetch() { Registry().Register(GetName(), Registry().CreateStatic(GetName())); }

void TFetchStaticWithAlpha::Fetch() { Registry().Register(GetName(), MakeStaticGraphicWithAlpha(GetName(), mAlphaName)); }

void TFetchAnimationWithAlpha::Fetch() {
  Registry().Register(GetName(), std::make_shared<TAnimGraphic>(mFrames, mAlphaName));
}

void TFetchAnimationWithAlphaList::Fetch() {
  Registry().Register(GetName(), std::make_shared<TAnimGraphic>(mColourName, mAlphaFrames));
}

void TFetchAnimationWithFrameRate::Fetch() {
  Registry().Register(GetName(), std::make_shared<TAnimGraphic>(mFrames, mFramesPerSecond));
}

}  // namespace GUI
