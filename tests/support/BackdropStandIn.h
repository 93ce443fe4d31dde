#pragma once

#include <cstdlib>
#include <memory>

#include "media/display/TDxDisplayHandlerData.h"
#include "media/texture/TTexture.h"

// A backdrop for the root screen: an 800 x 600 image on the display's device
// whose copy puts its pixels into the display's current render target, as a
// texture's copy does.
class BackdropStandIn final : public TTexture {
 public:
  explicit BackdropStandIn(TDxDisplayHandlerData& display) : TTexture(nullptr), mDisplay(display) {
    sys::gfx::SurfaceDesc desc;
    desc.width = 800;
    desc.height = 600;
    desc.format = sys::gfx::MakePixelFormat(sys::gfx::PixelLayout::X8R8G8B8);
    if (!display.mDirectDraw || display.mDirectDraw->CreateSurface(desc, mImage) != sys::gfx::Result::Ok) {
      std::abort();
    }
  }

  sys::gfx::Surface& Image() { return *mImage; }
  void Blit(int32_t x, int32_t y, const TRect* source, const std::shared_ptr<TTexture>&) override {
    sys::gfx::Rect from{source->left, source->top, source->right, source->bottom};
    mDisplay.mRenderTargets.front()->surface->BlitFast(x, y, *mImage, &from, sys::gfx::kBlitWait);
  }

 private:
  TDxDisplayHandlerData& mDisplay;
  std::shared_ptr<sys::gfx::Surface> mImage;
};
