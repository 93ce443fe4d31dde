// The platform's drawing forwarders with their render-state guards, the
// display set-up, frame timing and the cursor image.
#include "app/TAppPlatform.h"
#include "media/display/TDisplayHandler.h"
#include "media/display/TDisplayVecTextures.h"
#include "media/text/TTextLayout.h"
#include "media/text/TVqMiniVecDraw.h"
#include "platform/asset/TAssetManager.h"
#include "platform/text/Log.h"
#include "system/os/TickCount.h"
#include "system/window/HostWindow.h"
#include "system/window/Window.h"
#include "windows/kinds/TScreen.h"
#include "windows/core/TWindowManager.h"

namespace {

// The width the game is laid out for; a host window scales it to its own.
constexpr float kLayoutWidth = 800.0f;

// The framework's version, as the overlay shows it.
constexpr int kFrameworkVersion[] = {3, 5, 0, 9};
constexpr int32_t kOverlayTextSide = 512;
constexpr int32_t kOverlayTextSize = 16;
constexpr int32_t kOverlayPanelWidth = 300;
constexpr int32_t kOverlayPanelHeight = 40;

}  // namespace

bool TAppPlatform::BeginDraw(bool keepPicture) {
  bool began = mDrawGuard.Ask(GetDisplayHandler(), "BeginDraw", false,
                              [&](TDisplayHandler& display) { return display.BeginDraw(keepPicture); });
  if (!began) return false;
  if (mData->mRestoreDue) {
    mData->mRestoreTasks.DoTasks(TTaskPass::Timed);
    mData->mRestoreDue = false;
  }
  if (mData->mOverlayInPicture && !mPump.mOverlayOn) EraseOverlay();
  return true;
}

void TAppPlatform::EndDraw(bool present) {
  mData->mFrameRate.FrameEnded(sys::TickCount());
  mData->mOverlayInPicture = mPump.mOverlayOn;
  if (mPump.mOverlayOn) DrawOverlay();
  mDrawGuard.Forward(GetDisplayHandler(), "EndDraw", [&](TDisplayHandler& display) { display.EndDraw(present); });
}

// The framework's version and the frame rate, in red on a black panel. The
// text is laid out again only when the rate changes.
void TAppPlatform::DrawOverlay() {
  std::unique_ptr<TTextLayout>& text = mData->mOverlayText;
  if (!text) {
    text = TTextLayout::Create("", kOverlayTextSide, kOverlayTextSide, 0, nullptr, kOverlayTextSize,
                               TColor(1.0f, 0.0f, 0.0f, 1.0f));
  }
  text->SetText(TString::Format("Ostrivance Version %d.%d.%d.%d<br>FPS<tab pos='200'>%f<br>", kFrameworkVersion[0],
                                kFrameworkVersion[1], kFrameworkVersion[2], kFrameworkVersion[3],
                                static_cast<double>(mData->mFrameRate.GetFramesPerSecond())));
  bool began = Begin2d();
  DrawRect(0, 0, kOverlayPanelWidth, kOverlayPanelHeight, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  text->Draw(TRect(0, 0, kOverlayTextSide, kOverlayTextSide), 1.0f, 0.0f);
  if (began) End2d();
}

// The picture a frame starts from may still hold the overlay of an earlier
// frame: where no window draws over its panel, the panel goes black, as
// the picture is where nothing was drawn.
void TAppPlatform::EraseOverlay() {
  bool began = Begin2d();
  DrawRect(0, 0, kOverlayPanelWidth, kOverlayPanelHeight, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  if (began) End2d();
}

bool TAppPlatform::Begin2d() { return mDrawGuard.Begin2d(GetDisplayHandler()); }

void TAppPlatform::End2d() { mDrawGuard.End2d(GetDisplayHandler()); }

bool TAppPlatform::Begin3d() { return mDrawGuard.Begin3d(GetDisplayHandler()); }

void TAppPlatform::End3d() { mDrawGuard.End3d(GetDisplayHandler()); }

void TAppPlatform::DrawVertices(int32_t primitiveType, TVertexList* vertices) {
  mDrawGuard.DrawVertices(GetDisplayHandler(), primitiveType, vertices);
}

void TAppPlatform::DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                         const std::shared_ptr<TTexture>& texture) {
  mDrawGuard.Forward(GetDisplayHandler(), "DrawRect", [&](TDisplayHandler& display) { display.DrawRect(left, top, right, bottom, colour, texture.get()); });
}

void TAppPlatform::SetTexture(const std::shared_ptr<TTexture>& texture) {
  mDrawGuard.Forward(GetDisplayHandler(), "SetTexture", [&](TDisplayHandler& display) { display.SetTexture(texture); });
}

bool TAppPlatform::PushRenderTarget(const std::shared_ptr<TTexture>& target) {
  return mDrawGuard.Ask(GetDisplayHandler(), "PushRenderTarget", false,
                        [&](TDisplayHandler& display) { return display.PushRenderTarget(target); });
}

bool TAppPlatform::PopRenderTarget() {
  return mDrawGuard.Ask(GetDisplayHandler(), "PopRenderTarget", false,
                        [](TDisplayHandler& display) { return display.PopRenderTarget(); });
}

void TAppPlatform::PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  mDrawGuard.Forward(GetDisplayHandler(), "PushViewport", [&](TDisplayHandler& display) { display.PushViewport(left, top, right, bottom); });
}

int32_t TAppPlatform::PopViewport() {
  return mDrawGuard.Ask(GetDisplayHandler(), "PopViewport", 0,
                        [](TDisplayHandler& display) { return display.PopViewport(); });
}

void TAppPlatform::GetViewport(TRect& out) {
  out = TRect();
  if (TDisplayHandler* display = GetDisplayHandler()) display->GetViewport(out.left, out.top, out.right, out.bottom);
}

void TAppPlatform::SetWorldTransform(const TMatrix4& matrix) {
  mDrawGuard.Forward(GetDisplayHandler(), "SetWorldTransform", [&](TDisplayHandler& display) { display.SetWorldTransform(matrix); });
}

void TAppPlatform::SetViewTransform(const TMatrix4& matrix) {
  mDrawGuard.Forward(GetDisplayHandler(), "SetViewTransform", [&](TDisplayHandler& display) { display.SetViewTransform(matrix); });
}

void TAppPlatform::SetProjectionTransform(const TMatrix4& matrix) {
  mDrawGuard.Forward(GetDisplayHandler(), "SetProjectionTransform", [&](TDisplayHandler& display) { display.SetProjectionTransform(matrix); });
}

// Without a display the matrices are left as they are.
void TAppPlatform::GetWorldTransform(TMatrix4& matrix) {
  if (TDisplayHandler* display = GetDisplayHandler()) display->GetWorldTransform(matrix);
}

void TAppPlatform::GetViewTransform(TMatrix4& matrix) {
  if (TDisplayHandler* display = GetDisplayHandler()) display->GetViewTransform(matrix);
}

void TAppPlatform::GetProjectionTransform(TMatrix4& matrix) {
  if (TDisplayHandler* display = GetDisplayHandler()) display->GetProjectionTransform(matrix);
}

void TAppPlatform::SetCullMode(int32_t mode) {
  mDrawGuard.Forward(GetDisplayHandler(), "SetCullMode", [&](TDisplayHandler& display) { display.SetCullMode(mode); });
}

void TAppPlatform::SetTextureFilter(int32_t mode) {
  mDrawGuard.Forward(GetDisplayHandler(), "SetTextureFilter", [&](TDisplayHandler& display) { display.SetTextureFilter(mode); });
}

void TAppPlatform::SetBlendMode(int32_t mode) {
  mDrawGuard.Forward(GetDisplayHandler(), "SetBlendMode", [&](TDisplayHandler& display) { display.SetBlendMode(mode); });
}

void TAppPlatform::SetZWrite(bool on) {
  mDrawGuard.Forward(GetDisplayHandler(), "SetZWrite", [&](TDisplayHandler& display) { display.SetZWrite(on); });
}

// Without a display no flip is under way.
bool TAppPlatform::IsFlipDone() {
  TDisplayHandler* display = GetDisplayHandler();
  return !display || display->IsFlipDone();
}

// The display is the main thread's: a report from another thread waits for
// the next event.
void TAppPlatform::ReportOutOfVideoMemory() {
  if (std::this_thread::get_id() != mData->mMainThread) {
    mData->mVideoMemoryReportPending.store(true);
    return;
  }
  if (TDisplayHandler* display = GetDisplayHandler()) display->ReportOutOfVideoMemory();
}

void TAppPlatform::Restore() {
  if (TDisplayHandler* display = GetDisplayHandler()) display->Restore();
}

bool TAppPlatform::IsFullScreen() {
  if (IsPqHostMode()) return GetHostFullScreen();
  TDisplayHandler* display = GetDisplayHandler();
  return display && display->IsFullScreen();
}

// In the host mode of "-pq=" the host shows the game full screen: the
// display itself stays a window.
bool TAppPlatform::SetFullScreen(bool fullScreen) {
  TDisplayHandler* display = GetDisplayHandler();
  if (IsPqHostMode()) {
    NotifyHostFullScreen(fullScreen);
    if (display) display->SetFullScreen(false);
    return true;
  }
  return mDrawGuard.Ask(display, "SetFullScreen", false,
                        [&](TDisplayHandler& shown) { return shown.SetFullScreen(fullScreen); });
}

void TAppPlatform::SetDisplay(int32_t width, int32_t height, bool fullScreen) {
  TPlatformData& data = *mData;
  if (IsPqHostMode()) {
    NotifyHostFullScreen(fullScreen);
    fullScreen = false;
  }
  TWindowManager* manager = GetWindowManager();
  if (!manager->GetRootWindow()) {
    auto screen = std::make_unique<TScreen>();
    TScreen* root = screen.get();
    manager->SetRootWindow(std::move(screen));
    root->SetSize(width, height);
  }
  float scale = 1.0f;
  if (data.mEmbedded) {
    fullScreen = false;
    if (data.mHostWindow) scale = static_cast<float>(data.mHostWindow->ClientWidth()) / kLayoutWidth;
  } else if (data.mScreensaver) {
    fullScreen = true;
  }
  data.mDisplayScale.store(scale, std::memory_order_release);
  TDisplayHandler* display = GetDisplayHandler();
  if (!display) {
    // The display shows the window once it is set up; without one the window shows bare.
    mDrawGuard.RefuseWithoutDisplay("SetDisplay");
    GetMainWindow()->Show();
    return;
  }
  display->SetDisplay(width, height, fullScreen, false, false, data.mHostWindow != nullptr);
  if (!data.mVecDraw) {
    data.mVecDraw = std::make_unique<TVqMiniVecDraw>(std::make_unique<TDisplayVecTextures>());
    data.mVecDraw->Calibrate();
  }
  display->TestRenderTarget();
}

void TAppPlatform::RestoreAssets() {
  TDisplayHandler* display = GetDisplayHandler();
  if (!display || !display->IsReady()) {
    LogPrintf("RestoreAssets: DX broken");
    return;
  }
  GetAssetManager()->RestoreAll();
  mData->mRestoreDue = true;
  if (TWindow* root = GetWindowManager()->GetRootWindow()) root->Invalidate();
  mPump.mRepaintRequested = true;
}

void TAppPlatform::ReleaseAssets() { GetAssetManager()->ReleaseAll(); }

bool TAppPlatform::ConsumeRepaintRequest() { return mPump.ConsumeRepaintRequest(); }

void TAppPlatform::SetCursor(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY) {
  mData->mCursorTexture = texture;
  mData->mCursorHotX = hotX;
  mData->mCursorHotY = hotY;
  UpdateCursor(kCursorRefresh);
}

// A cursor image drawn by the display hides the system cursor.
void TAppPlatform::UpdateCursor(int mode) {
  TPlatformData& data = *mData;
  if (!data.mCursorEnabled) return;
  bool useImage = false;
  switch (mode) {
    case kCursorShow:
      if (data.mCursorVisible) return;
      data.mCursorVisible = true;
      useImage = true;
      break;
    case kCursorHide:
      if (!data.mCursorVisible) return;
      data.mCursorVisible = false;
      break;
    case kCursorRefresh:
      if (!data.mCursorVisible) return;
      useImage = true;
      break;
    default: return;
  }
  TDisplayHandler* display = GetDisplayHandler();
  if (!display) {
    mDrawGuard.RefuseWithoutDisplay("UpdateCursor");
    return;
  }
  std::shared_ptr<TTexture> image = useImage ? data.mCursorTexture : nullptr;
  display->SetMouseImage(image, data.mCursorHotX, data.mCursorHotY);
  if (sys::Window* window = GetMainWindow()) window->SetStandardCursorVisible(image == nullptr);
}
