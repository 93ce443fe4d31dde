// Making, changing and hit-testing a layout. The layout pass is in
// TextLayoutPass.cpp, drawing in TTextLayoutDrawing.cpp.
#include "media/text/TTextLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "media/text/TMarkupState.h"
#include "media/text/TextLayoutPass.h"

namespace {

// A rotation this close to upright stays exactly upright.
constexpr float kUprightTolerance = 0.0001f;

}  // namespace

std::unique_ptr<TTextLayout> TTextLayout::Create(TString text, int32_t width, int32_t height, int32_t flags,
                                                 const char* fontName, int32_t fontSize, const TColor& color) {
  return std::unique_ptr<TTextLayout>(
      new TTextLayout(std::move(text), width, height, flags, fontName, fontSize, color));
}

void TTextLayout::Delete(std::unique_ptr<TTextLayout>& layout) { layout.reset(); }

TTextLayout::TTextLayout(TString text, int32_t width, int32_t height, int32_t flags, const char* fontName,
                         int32_t fontSize, const TColor& color)
    : mText(std::move(text)),
      mState(std::make_unique<TMarkupState>()),
      mWidth(width),
      mHeight(height),
      mFontName(fontName && *fontName ? fontName : kDefaultFontName),
      mFontSize(fontSize),
      mColor(color),
      mFlags(flags) {
  Layout();
}

TTextLayout::~TTextLayout() = default;

void TTextLayout::SetText(const TString& text) {
  if (text == mText) return;
  mText = text;
  Layout();
}

void TTextLayout::SetColor(const TColor& color) {
  if (color.r == mColor.r && color.g == mColor.g && color.b == mColor.b && color.a == mColor.a) return;
  mColor = color;
  Layout();
}

void TTextLayout::SetRotation(float degrees, int32_t originX, int32_t originY) {
  const double radians = static_cast<double>(degrees) * std::numbers::pi / 180.0;
  mCosine = static_cast<float>(std::cos(radians));
  mSine = static_cast<float>(std::sin(radians));
  if (std::fabs(mCosine - 1.0f) < kUprightTolerance && std::fabs(mSine) < kUprightTolerance) {
    mCosine = 1.0f;
    mSine = 0.0f;
  }
  mOriginX = originX;
  mOriginY = originY;
  Layout();
}

void TTextLayout::Layout() {
  mLeft = mTop = mRight = mBottom = 0;
  mLines.clear();
  mState->Reset(TFontState{mFontName, mFontSize, mColor});
  TextLayoutPass pass(mText, mWidth, mFlags, *mState);
  pass.Run();
  mLines = std::move(pass.lines);
  mLeft = mLines.empty() ? 0 : pass.left;
  mRight = pass.right;
  PlaceBlock(pass.totalHeight);
}

void TTextLayout::PlaceBlock(int64_t totalHeight) {
  const float total = static_cast<float>(totalHeight);
  if (mFlags & kCentreBlock) {
    mTop = mHeight / 2;
    mBottom = mHeight - mTop;
    mVerticalOffset = -total * 0.5f;
  } else if (mFlags & kBottomBlock) {
    mTop = mBottom = mHeight;
    mVerticalOffset = -total;
  } else {
    mTop = 0;
    mBottom = static_cast<int32_t>(std::min<int64_t>(totalHeight, INT32_MAX));
    mVerticalOffset = 0;
  }
}

int32_t TTextLayout::CountLinesFromEnd(float scale, float spacing) const {
  float sum = 0;
  for (int32_t line = GetLineCount() - 1; line >= 0; --line) {
    sum += (static_cast<float>(mLines[line]->height) + spacing) * scale;
    if (sum > static_cast<float>(mHeight)) return line;
  }
  return 0;
}

int32_t TTextLayout::FirstShownLine() const { return std::max(mFirstLine, 0); }

TString TTextLayout::GetLinkAt(const TVec2& point, float spacing) const {
  float y = static_cast<float>(mTop) + mVerticalOffset;
  for (int32_t index = FirstShownLine(); index < GetLineCount(); ++index) {
    const TTextLine& line = *mLines[index];
    if (point.y >= y - spacing && point.y <= y + static_cast<float>(line.height)) {
      const float x = static_cast<float>(line.x) + line.xOffset;
      for (const TGlyphRun& run : line.runs) {
        if (point.x >= x + static_cast<float>(run.startX) && point.x <= x + static_cast<float>(run.endX)) {
          return run.linkId;
        }
      }
    }
    y += static_cast<float>(line.height) + spacing;
  }
  return "";
}

bool TTextLayout::IsLinkAt(const TVec2* point, float spacing) {
  mHighlightLink = point ? GetLinkAt(*point, spacing) : TString("");
  return !mHighlightLink.IsEmpty();
}
