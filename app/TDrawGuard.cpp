#include "app/TDrawGuard.h"

#include "media/display/TDisplayHandler.h"
#include "platform/text/Log.h"

bool TDrawGuard::Begin2d(TDisplayHandler* display) { return Begin("Begin2d", mIn2d, display, &TDisplayHandler::Begin2d); }

void TDrawGuard::End2d(TDisplayHandler* display) { End("End2d", "Begin2d", mIn2d, display, &TDisplayHandler::End2d); }

bool TDrawGuard::Begin3d(TDisplayHandler* display) { return Begin("Begin3d", mIn3d, display, &TDisplayHandler::Begin3d); }

void TDrawGuard::End3d(TDisplayHandler* display) { End("End3d", "Begin3d", mIn3d, display, &TDisplayHandler::End3d); }

void TDrawGuard::DrawVertices(TDisplayHandler* display, int32_t primitiveType, TVertexList* vertices) {
  if (!mIn2d && !mIn3d) {
    LogPrintf("DrawVertices called when not in Begin2d or Begin3d state");
    return;
  }
  Forward(display, "DrawVertices", [&](TDisplayHandler& shown) { shown.DrawVertices(primitiveType, vertices); });
}

void TDrawGuard::RefuseWithoutDisplay(const char* operation) {
  if (mRefusalsLogged.insert(operation).second) LogPrintf("%s refused: there is no display", operation);
}

void TDrawGuard::Reset() {
  mIn2d = false;
  mIn3d = false;
  mRefusalsLogged.clear();
}

// One drawing state at a time: a Begin inside either state is refused.
bool TDrawGuard::Begin(const char* name, bool& state, TDisplayHandler* display, bool (TDisplayHandler::*begin)()) {
  const char* open = mIn2d ? "Begin2d" : mIn3d ? "Begin3d" : nullptr;
  if (open) {
    LogPrintf("%s called when already in %s state", name, open);
    return false;
  }
  state = Ask(display, name, false, [&](TDisplayHandler& shown) { return (shown.*begin)(); });
  return state;
}

void TDrawGuard::End(const char* name, const char* beginName, bool& state, TDisplayHandler* display,
                     void (TDisplayHandler::*end)()) {
  if (!state) {
    LogPrintf("%s called when not in %s state", name, beginName);
    return;
  }
  Forward(display, name, [&](TDisplayHandler& shown) { (shown.*end)(); });
  state = false;
}
