// The device context's software cursor: a colour-keyed image blitted onto
// the front surface by the cursor poll thread, or into the back buffer as a
// frame is shown, with the background under it kept in one of two
// save-under buffers.
#include <algorithm>
#include <atomic>
#include <chrono>

#include "media/display/DisplayRules.h"
#include "media/display/TDXContext.h"
#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "system/window/Window.h"

using sys::gfx::Rect;
using sys::gfx::Result;

namespace {

// The poll thread gives up on the mutex after this long; it tries again
// at its next poll.
constexpr std::chrono::milliseconds kPollWait{5};
// The poll thread draws the cursor at most this often.
constexpr uint32_t kLeastDrawInterval = 16;

// Reinstalling the image is not begun again while it runs, in any context.
std::atomic<bool> gRestoringMouseImage{false};


bool Overlap(const Rect& a, const Rect& b) {
  const Rect both = sys::gfx::Intersect(a, b);
  return both.Width() > 0 && both.Height() > 0;
}

Rect Moved(const Rect& rect, int32_t dx, int32_t dy) {
  return Rect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

void ShowSystemArrow() {
  if (TPlatform* platform = TPlatform::Instance()) platform->RequestSystemCursor(true);
}

}  // namespace

MouseTextureListener::~MouseTextureListener() {
  if (mContext) mContext->ForgetListener();
}

bool MouseTextureListener::Step() {
  if (!mContext) return false;
  mContext->RestoreMouseImage();
  return true;
}

void TDXContext::ResetCursorState() {
  mCursorDrawn = false;
  mDrawnIntoBackBuffer = false;
  mPositionKnown = false;
  mMouseX = -1;
  mMouseY = -1;
  mDrawnX = -1;
  mDrawnY = -1;
}

// The pointer in display pixels: its place in the client area over the
// drawing scale. False before the window has seen it.
bool TDXContext::ReadPosition() {
  int32_t x = 0;
  int32_t y = 0;
  if (!mWindow || !mWindow->GetCursorPosition(x, y)) return false;
  float scale = 1.0f;
  DrawsScaled(scale);
  mMouseX = static_cast<int32_t>(static_cast<float>(x) / scale);
  mMouseY = static_cast<int32_t>(static_cast<float>(y) / scale);
  return true;
}

Rect TDXContext::ClientOn(bool backBuffer) const {
  if (backBuffer) {
    const std::shared_ptr<sys::gfx::Surface>& back = GetBackBuffer();
    return back ? sys::gfx::SizeRect(back->Width(), back->Height()) : Rect{};
  }
  return mDisplay.GetScreenRect();
}

bool TDXContext::CursorBlitDone(Result result) {
  CheckVideoMemory(result);
  if (result == Result::SurfaceLost) {
    mSurfaceLost = true;
    mCursorDrawn = false;
  }
  return result == Result::Ok;
}

// Whether the cursor at the pointer would reach beyond the screen: the
// desktop around a window, the display's mode in full screen.
bool TDXContext::LeavesDesktop(float scale) const {
  const Rect client = ClientOn(false);
  const int32_t left = client.left + Scaled(mMouseX, scale) - mHotX;
  const int32_t top = client.top + Scaled(mMouseY, scale) - mHotY;
  const int32_t right = left + Scaled(mCursorWidth, scale);
  const int32_t bottom = top + Scaled(mCursorHeight, scale);
  const bool windowed = mDisplay.IsWindowed();
  const int32_t width = windowed ? mDesktopWidth : mDisplayMode.width;
  const int32_t height = windowed ? mDesktopHeight : mDisplayMode.height;
  return left < 0 || top < 0 || right > width || bottom > height;
}

TMousePosition TDXContext::UpdateMouse(int32_t x, int32_t y, bool intoBackBuffer) {
  const bool polled = x == -1 && !intoBackBuffer;
  std::unique_lock lock(mMouseMutex, std::defer_lock);
  if (!polled) {
    lock.lock();
  } else if (!lock.try_lock_for(kPollWait)) {
    return MousePosition();
  }
  TPlatform* platform = TPlatform::Instance();
  if (!platform || platform->IsScreensaver() || mSurfaceLost || !platform->IsWindowShown()) return MousePosition();
  float scale = 1.0f;
  DrawsScaled(scale);
  if (!intoBackBuffer) {
    if (!mPositionKnown) {
      if (x == -1 || !ReadPosition()) return TMousePosition{};
      mPositionKnown = true;
    }
    if (x == -1 && platform->GetTime() - mLastDrawTime < kLeastDrawInterval) return MousePosition();
    if (x == -1) ReadPosition();
    // A current desktop draws its own arrow over a window (the host mode of
    // "-pq=" is always windowed), so an explicit move shows that instead.
    const bool explicitInWindow = x != -1 && mDisplay.IsWindowed();
    const bool noSaveUnder = mNoSaveUnderInVideoMemory || !mSaveUnder[0] || !mSaveUnder[1];
    if (LeavesDesktop(scale) || explicitInWindow || (mCursorImage.surface && noSaveUnder)) {
      ShowSystemArrow();
      return MousePosition();
    }
  } else if (!mPositionKnown || !ReadPosition()) {
    // The pointer left the window, or never came: no cursor goes into the frame.
    return MousePosition();
  }
  if (!mCursorImage.surface || mCursorWidth == 0 || mCursorHeight == 0) return TMousePosition{x, y};
  const std::shared_ptr<sys::gfx::Surface>& front = GetFrontBuffer();
  const std::shared_ptr<sys::gfx::Surface>& back = GetBackBuffer();
  const bool frontFree = mDisplay.IsWindowed() || !back || back->GetFlipStatus() != Result::WasStillDrawing;
  sys::gfx::Surface* target = nullptr;
  if (intoBackBuffer) {
    if (frontFree) mCursorDrawn = false;
    target = back.get();
  } else if (frontFree || !mPositionKnown) {
    target = front.get();
  }
  if (!target || !mSaveUnder[0] || !mSaveUnder[1]) return MousePosition();
  return DrawCursor(*target, intoBackBuffer, scale);
}

TMousePosition TDXContext::DrawCursor(sys::gfx::Surface& target, bool intoBackBuffer, float scale) {
  const int32_t x = Scaled(mMouseX, scale);
  const int32_t y = Scaled(mMouseY, scale);
  if (!intoBackBuffer && mCursorDrawn && x == mDrawnX && y == mDrawnY) return MousePosition();
  const Rect client = ClientOn(intoBackBuffer);
  if (!intoBackBuffer && mDisplay.IsWindowed() && (x < 0 || y < 0 || x >= client.Width() || y >= client.Height())) {
    HideMouse();
    ReadPosition();
    return MousePosition();
  }
  // The cursor's box in client pixels, its hot spot under the pointer, cut
  // to the client area; the same cut taken from its save-under area.
  const int32_t width = Scaled(mCursorWidth, scale);
  const int32_t height = Scaled(mCursorHeight, scale);
  const Rect box{x - mHotX, y - mHotY, x - mHotX + width, y - mHotY + height};
  const Rect drawn = sys::gfx::Intersect(box, sys::gfx::SizeRect(client.Width(), client.Height()));
  if (drawn.Width() <= 0 || drawn.Height() <= 0) {
    EraseCursor(mDrawnIntoBackBuffer);
    mCursorDrawn = false;
    return MousePosition();
  }
  const Rect saved = Moved(drawn, -box.left, -box.top);
  const Rect onTarget = Moved(drawn, client.left, client.top);
  const int32_t other = 1 - mSaveIndex;
  sys::gfx::Surface& newSave = *mSaveUnder[other]->surface;
  if (!CursorBlitDone(newSave.Blit(&saved, target, &onTarget, sys::gfx::kBlitWait))) return MousePosition();
  const bool wasDrawn = mCursorDrawn;
  const bool sameSurface = mDrawnIntoBackBuffer == intoBackBuffer;
  EraseCursor(mDrawnIntoBackBuffer);
  mCursorDrawn = false;
  if (mSurfaceLost) return MousePosition();
  mDrawnIntoBackBuffer = intoBackBuffer;
  const Rect image{static_cast<int32_t>(static_cast<float>(saved.left) / scale),
                   static_cast<int32_t>(static_cast<float>(saved.top) / scale),
                   mCursorWidth - static_cast<int32_t>(static_cast<float>(width - saved.right) / scale),
                   mCursorHeight - static_cast<int32_t>(static_cast<float>(height - saved.bottom) / scale)};
  const Result put = target.Blit(&onTarget, *mCursorImage.surface, &image,
                                 sys::gfx::kBlitWait | sys::gfx::kBlitSourceColorKey);
  if (!CursorBlitDone(put)) return MousePosition();
  // Where the old and new boxes overlap, the new save-under holds the old
  // cursor: the old save-under has the background there.
  if (wasDrawn && sameSurface && Overlap(mDrawnRect, drawn)) {
    const Rect both = sys::gfx::Intersect(mDrawnRect, drawn);
    const Rect from = Moved(both, mDrawnSource.left - mDrawnRect.left, mDrawnSource.top - mDrawnRect.top);
    const Rect to = Moved(both, saved.left - drawn.left, saved.top - drawn.top);
    CursorBlitDone(newSave.Blit(&to, *mSaveUnder[mSaveIndex]->surface, &from, sys::gfx::kBlitWait));
  }
  mDrawnRect = drawn;
  mDrawnSource = saved;
  mDrawnX = x;
  mDrawnY = y;
  mSaveIndex = other;
  mCursorDrawn = true;
  if (TPlatform* platform = TPlatform::Instance()) mLastDrawTime = platform->GetTime();
  return MousePosition();
}

void TDXContext::EraseCursor(bool fromBackBuffer) {
  if (!mCursorDrawn || !mSaveUnder[mSaveIndex]) return;
  const std::shared_ptr<sys::gfx::Surface>& surface = fromBackBuffer ? GetBackBuffer() : GetFrontBuffer();
  if (!surface) return;
  const Rect client = ClientOn(fromBackBuffer);
  const Rect at = Moved(mDrawnRect, client.left, client.top);
  CursorBlitDone(surface->Blit(&at, *mSaveUnder[mSaveIndex]->surface, &mDrawnSource, sys::gfx::kBlitWait));
}

bool TDXContext::SetMouseImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY) {
  std::lock_guard lock(mMouseMutex);
  HideMouse();
  if (!StartFrame()) {
    mCursorTexture = texture;
    return false;
  }
  return InstallImage(texture, hotX, hotY);
}

bool TDXContext::InstallImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY) {
  const bool hadTexture = mCursorTexture != nullptr;
  mCursorTexture = texture;
  mCursorWidth = 0;
  mCursorHeight = 0;
  if (!texture) return true;
  if (!mListener) {
    if (TPlatform* platform = TPlatform::Instance()) {
      auto listener = std::make_unique<MouseTextureListener>(this);
      mListener = listener.get();
      platform->AddRestoreTask(std::move(listener));
    }
  }
  TTextureData* data = texture->GetData();
  std::shared_ptr<sys::gfx::Surface> surface = data ? data->GetSurface() : nullptr;
  if (!surface) {
    LogPrintf("Cursor surface missing!");
    return false;
  }
  mCursorImage.surface = surface;
  mCursorImage.desc = surface->Describe();
  mHotX = hotX;
  mHotY = hotY;
  MakeSaveUnders(texture->GetWidth(), texture->GetHeight());
  // Magenta in the picture's own format, which keyed blits compare on the
  // colour channels only: a picture with alpha keeps none of its magenta.
  const sys::gfx::PixelFormat& format = surface->Format();
  const uint32_t magenta = format.redMask | format.blueMask;
  const sys::gfx::ColorKey key{magenta, magenta};
  if (Result keyed = surface->SetColorKey(&key); keyed != Result::Ok) {
    CheckVideoMemory(keyed);
    return false;
  }
  // The image's own size: the surface beyond it is no part of the cursor.
  mCursorWidth = texture->GetWidth();
  mCursorHeight = texture->GetHeight();
  if (hadTexture) {
    ResetCursorState();
    if (ReadPosition()) UpdateMouse(mMouseX.load(), mMouseY.load(), false);
  }
  return true;
}

// Save-under buffers hold the cursor's box at the drawing scale.
void TDXContext::MakeSaveUnders(int32_t width, int32_t height) {
  mSaveUnder[0].reset();
  mSaveUnder[1].reset();
  if (mNoSaveUnderInVideoMemory) return;
  float scale = 1.0f;
  DrawsScaled(scale);
  width = std::max(width, Scaled(width, scale));
  height = std::max(height, Scaled(height, scale));
  for (std::unique_ptr<TSurfaceHolder>& saveUnder : mSaveUnder) {
    const Result made = mDisplay.CreateSurface(saveUnder, width, height, nullptr, nullptr);
    CheckVideoMemory(made);
    if (made == Result::OutOfVideoMemory) mNoSaveUnderInVideoMemory = true;
  }
}

void TDXContext::RestoreMouseImage() {
  if (gRestoringMouseImage.exchange(true)) {
    LogPrintf("Second concurrent call to RestoreMouseImage");
    return;
  }
  {
    std::lock_guard lock(mMouseMutex);
    if (mCursorImage.surface && mCursorTexture) {
      const std::shared_ptr<TTexture> texture = mCursorTexture;
      if (SetMouseImage(texture, mHotX, mHotY)) mSurfaceLost = false;
      TPlatform* platform = TPlatform::Instance();
      if (platform && IsCursorShown()) platform->RequestSystemCursor(false);
    }
  }
  gRestoringMouseImage.store(false);
}

void TDXContext::HideMouse() {
  std::lock_guard lock(mMouseMutex);
  if (!mCursorImage.surface) return;
  EraseCursor(mDrawnIntoBackBuffer);
  mCursorDrawn = false;
  if (mPositionKnown) ResetCursorState();
}

// The pointer moved in the window: from now on its position is known.
TMousePosition TDXContext::GetMousePos() {
  std::lock_guard lock(mMouseMutex);
  if (ReadPosition()) mPositionKnown = true;
  return MousePosition();
}

std::shared_ptr<TTexture> TDXContext::IsCursorShown() {
  std::lock_guard lock(mMouseMutex);
  return mCursorWidth >= 1 && mCursorHeight >= 1 ? mCursorTexture : nullptr;
}

void TDXContext::RefreshClientRect() {
  std::lock_guard lock(mMouseMutex);
  const Rect before = mDisplay.GetScreenRect();
  mDisplay.UpdateBounds();
  if (!(mDisplay.GetScreenRect() == before)) mCursorDrawn = false;
}

void TDXContext::GetScreenOrigin(int32_t& x, int32_t& y) {
  std::lock_guard lock(mMouseMutex);
  mDisplay.GetScreenOrigin(x, y);
}

Result TDXContext::PresentRect(const Rect* destination, const Rect* source) {
  std::lock_guard lock(mMouseMutex);
  return mDisplay.PresentRect(destination, source);
}

// In full screen the back buffer holds the frame before last: the last one
// is copied from the front, and the cursor taken out of it.
bool TDXContext::StartFrame() {
  std::lock_guard lock(mMouseMutex);
  const std::shared_ptr<sys::gfx::Surface>& front = GetFrontBuffer();
  const std::shared_ptr<sys::gfx::Surface>& back = GetBackBuffer();
  if (mDisplay.IsWindowed() || !front || !back) return true;
  if (Result copied = back->BlitFast(0, 0, *front, nullptr, sys::gfx::kBlitWait); copied != Result::Ok) {
    CheckVideoMemory(copied);
    return false;
  }
  EraseCursor(true);
  return true;
}

// The cursor goes into the frame before it is shown. Afterwards it is on
// the front surface, where the next erase takes it from: in a window the
// back buffer gets its background back; in full screen the flip took the
// cursor's frame to the front.
Result TDXContext::Present() {
  std::lock_guard lock(mMouseMutex);
  if (mSurfaceLost) {
    mSurfaceLost = false;
    if (mCursorTexture && !InstallImage(mCursorTexture, mHotX, mHotY)) mSurfaceLost = true;
  }
  mCursorDrawn = false;
  UpdateMouse(-1, -1, true);
  const Result shown = mDisplay.Present();
  if (mDisplay.IsWindowed() && mCursorDrawn) EraseCursor(true);
  mDrawnIntoBackBuffer = false;
  return shown;
}
