#include "windows/kinds/TText.h"

#include <algorithm>

#include "media/text/TTextLayout.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/core/TWindowManager.h"

TClassId TText::ClassId() {
  static const char id = 0;
  return &id;
}

TText* TText::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TText*>(window) : nullptr;
}

TText::TText(bool snapshotMember) {
  if (snapshotMember) AddFlags(kWindowSnapshotMember);
}

TText::~TText() = default;

bool TText::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

bool TText::Setup(const TString& text, int32_t width, int32_t height, int32_t flags, const TString& fontName,
                  int32_t fontSize, const TColor& colour) {
  if (width == 0 || height == 0) return false;
  mLayout = TTextLayout::Create(text, width, height, flags, fontName.CStr(), fontSize, colour);
  SetSize(width, height);
  SetLabel(text);
  return true;
}

// Every change dirties the window, the first text after an empty one too.
void TText::SetLabel(const TString& text) {
  if (!mLayout || text == mLayout->GetText()) return;
  mLayout->SetText(text);
  Invalidate();
}

TString TText::GetLabel() const { return mLayout ? mLayout->GetText() : TString(""); }

void TText::SetRotation(float degrees, int32_t originX, int32_t originY) {
  if (mLayout) mLayout->SetRotation(degrees, originX, originY);
}

void TText::SetScale(float x, float y) {
  mScaleX = x;
  mScaleY = y;
}

void TText::SetLineSpacing(int32_t spacing) { mLineSpacing = spacing; }

void TText::Draw() {
  TPlatform* platform = TPlatform::Instance();
  if (!mLayout || !platform) return;
  const bool began = platform->Begin2d();
  mLayout->Draw(GetScreenRect(), mScaleX, mScaleY, static_cast<float>(mLineSpacing), TVec2(0, 0), 1.0f);
  if (began) platform->End2d();
}

// Lines stack downwards, so the vertical scale says how many fit. The
// position comes from scripts: whatever it is, the first line stays
// between 0 and the line count.
void TText::Rescale(float position, int32_t) {
  if (!mLayout) return;
  const int32_t fromEnd = mLayout->CountLinesFromEnd(mScaleY, static_cast<float>(mLineSpacing));
  float line = (static_cast<float>(fromEnd) + 0.5f) * position;
  if (!(line >= 0.0f)) line = 0.0f;
  line = std::min(line, static_cast<float>(mLayout->GetLineCount()));
  const int32_t first = static_cast<int32_t>(line);
  if (first == mLayout->GetFirstLine()) return;
  mLayout->SetFirstLine(first);
  Invalidate();
}

TString TText::LinkAt(int32_t x, int32_t y) const {
  const TVec2 point(static_cast<float>(x), static_cast<float>(y));
  return mLayout->GetLinkAt(point, static_cast<float>(mLineSpacing));
}

bool TText::OnMouseDown(int32_t x, int32_t y) {
  if (!mLayout) return false;
  mPressedLink = LinkAt(x, y);
  return !mPressedLink.IsEmpty();
}

// The link under the pointer lights up and the text takes the capture, so
// that it learns when the pointer leaves; moving off every link ends both.
bool TText::OnMouseMove(int32_t x, int32_t y) {
  if (!mLayout) return false;
  const TString before = mLayout->GetHighlightLink();
  const TVec2 point(static_cast<float>(x), static_cast<float>(y));
  if (!mLayout->IsLinkAt(&point, static_cast<float>(mLineSpacing))) {
    if (!before.IsEmpty()) OnCaptureLost();
    return false;
  }
  if (mLayout->GetHighlightLink() != before) Invalidate();
  if (TWindowManager* manager = PlatformWindowManager()) manager->SetCapture(this);
  return true;
}

void TText::OnCaptureLost() {
  if (mLayout) {
    mLayout->IsLinkAt(nullptr, static_cast<float>(mLineSpacing));
    Invalidate();
  }
  if (TWindowManager* manager = PlatformWindowManager()) manager->ReleaseCapture(this);
}

// A click counts only when it ends on the link it started on.
bool TText::OnMouseUp(int32_t x, int32_t y) {
  if (mPressedLink.IsEmpty()) return false;
  const TString pressed = mPressedLink;
  mPressedLink = "";
  if (mLayout && LinkAt(x, y) == pressed) PressLink(pressed);
  return true;
}

void TText::PressLink(const TString& link) {
  TModalWindow* dialog = GetEnclosingModal();
  TWindow* found = dialog ? dialog->FindChild(link) : nullptr;
  if (!found) {
    LogPrintf("ERROR: Command window %s not found", link.CStr());
    return;
  }
  TButton* button = TButton::Cast(found);
  if (!button) {
    LogPrintf("ERROR: Command window %s not a derived class of TButton", link.CStr());
    return;
  }
  button->DoCommand();
}

// The dirty list keeps the whole window, as for any window dirtied whole.
bool TText::InvalidateRect(TRect* rect) {
  if (!rect) {
    TWindow::InvalidateRect(nullptr);
    return false;
  }
  *rect = GetClientRect();
  TWindow::InvalidateRect(rect);
  return true;
}
