#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <set>

#include "media/display/TDXContext.h"
#include "media/display/TMatrix4.h"
#include "platform/types/TRect.h"
#include "system/gfx/Device.h"
#include "system/gfx/Device3d.h"
#include "system/gfx/Surface.h"

class TTexture;

// What the Direct3D display keeps: the objects of the current mode (owned by
// the device context), the render-target and viewport stacks, the display's
// state flags and counts, and the matrices of 3D drawing. Rectangles are in
// display coordinates; the display rectangle is that of the mode or of the
// current render target.
struct TDxDisplayHandlerData {
  // A surface drawing can go to, with its rectangle.
  struct SRenderTarget {
    std::shared_ptr<sys::gfx::Surface> surface;
    TRect rect;
  };

  explicit TDxDisplayHandlerData(std::shared_ptr<sys::gfx::Adapter> adapter)
      : mContext(std::make_unique<TDXContext>(std::move(adapter))) {}

  sys::gfx::Device* mDirectDraw = nullptr;  // null until set up and after a failed set-up
  std::shared_ptr<sys::gfx::Surface> mBackBuffer;
  sys::gfx::Device3d* mDevice = nullptr;  // every drawing operation does nothing while null
  std::unique_ptr<TDXContext> mContext;
  std::list<std::shared_ptr<SRenderTarget>> mRenderTargets;  // front: the current target
  std::list<TRect> mViewports;                               // front: the last pushed
  TRect mViewport;
  TRect mDisplayRect;
  bool mFullScreen = false;
  bool mBroken = false;  // unusable until restored
  bool mReconfigurePending = false;
  std::shared_ptr<TTexture> mBoundTexture;
  bool mFallbackTried = false;
  bool mFatal = false;
  bool mSeparateTextureMemories = false;
  bool mNoSpecularGouraud = false;
  bool mSquareTexturesOnly = false;
  uint32_t mWorkingCount = 0;  // frames begun since the last reset
  uint32_t mBrokenTime = 0;    // game time of the last mark as broken
  bool mSetUpFailed = false;   // the last set-up inside a host window failed
  bool mWindowShown = false;   // a set-up has shown the window
  bool mLowMemoryVideo = false;
  bool mInScene = false;
  TMatrix4 mProjection;
  float mNearPlane = 0.1f;
  float mFarPlane = 1000.0f;
  TMatrix4 mSavedWorld;
  TMatrix4 mSavedView;
  TMatrix4 mSavedProjection;
  bool mRenderTargetTestDone = false;
  float mPixelOffset = -0.5f;
  std::set<int32_t> mRefusedPrimitives;  // types the device does not draw, each logged once
};
