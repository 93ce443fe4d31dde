#include "game/gui/screens/TGameEndWindow.h"

#include "game/gui/screens/ScreenLookups.h"
#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TModalWindow.h"

namespace GUI {

namespace {

constexpr const char* kSlideNames[] = {"splash/upsell01.jpg", "splash/upsell02.jpg", "splash/upsell03.jpg",
                                       "splash/upsell04.jpg"};

}  // namespace

TClassId TGameEndWindow::ClassId() {
  static const char id = 0;
  return &id;
}

std::unique_ptr<TWindow> TGameEndWindow::Create() { return std::make_unique<TGameEndWindow>(); }

bool TGameEndWindow::IsKindOf(TClassId id) const { return id == ClassId() || TFadeInWindow::IsKindOf(id); }

void TGameEndWindow::PostCreate() {
  TFadeInWindow::PostCreate();
  TModalWindow* dialog = ScreenTopModal();
  if (!dialog) return;
  auto task = std::make_unique<TGameEmdTaskWindow>(*this, TGameEmdTaskWindow::LoadSlides());
  task->Start(TGameEmdTaskWindow::kSlidePeriod, true, true, false);
  dialog->AddTask(std::move(task));
}

std::vector<std::shared_ptr<TTexture>> TGameEmdTaskWindow::LoadSlides() {
  std::vector<std::shared_ptr<TTexture>> slides;
  for (const char* name : kSlideNames) slides.push_back(TTexture::Get(name, 0));
  return slides;
}

TGameEmdTaskWindow::TGameEmdTaskWindow(TWindow& window, std::vector<std::shared_ptr<TTexture>> slides)
    : TWindowTask(window), mSlides(std::move(slides)) {}

bool TGameEmdTaskWindow::Animate() {
  TWindow* window = GetWindow();
  if (!window) return false;
  std::shared_ptr<TTexture> slide;
  for (size_t tried = 0; tried < mSlides.size() && !slide; ++tried) {
    slide = mSlides[mCurrentSlide];
    mCurrentSlide = (mCurrentSlide + 1) % static_cast<uint32_t>(mSlides.size());
  }
  auto* screen = static_cast<TImage*>(window->FindChild("screen"));
  if (slide && screen && screen->IsKindOf(TImage::ClassId())) screen->SetTexture(slide, nullptr, kSlideScale);
  if (TModalWindow* dialog = ScreenTopModal()) dialog->Invalidate();
  window->Invalidate();
  return true;
}

}  // namespace GUI
