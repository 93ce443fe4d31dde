// Drawing a laid-out text through the platform's vector renderer.
#include <algorithm>

#include "media/text/MarkupText.h"
#include "media/text/TTextLayout.h"
#include "media/text/TVecFont.h"
#include "media/text/TVqMiniVecDraw.h"
#include "platform/TPlatform.h"

namespace {

// Bold strokes are this share of the size wide, times the font's weight.
constexpr float kBoldWidthPerPixel = 0.0125f;
// The cursor and the underline are bars a sixteenth of the size thick, at
// least a pixel.
constexpr float kBarThicknessPerPixel = 1.0f / 16.0f;
// A square of one font unit, filled on both sides with the text's colour.
constexpr uint8_t kUnitSquare[] = {1, 2, 1, 3, 1,          4, 0, 0, 0, 0, 5, 128, 0, 0, 0,
                                   5, 128, 0, 128, 0, 5, 0, 0, 128, 0, 5, 0,   0, 0, 0, 8};

// How one draw call places the text: the scales of positions and of glyphs
// (glyphs also take the scale of a game shown inside a host window), the
// turn, and where it all lands on the target.
struct Placement {
  float scaleX = 1, scaleY = 1;
  float glyphScaleX = 1, glyphScaleY = 1;
  float alpha = 1;
  float cosine = 1, sine = 0;
  TVec2 origin;
  TVec2 offset;
  bool clipToViewport = false;
  TRect viewport;
};

// Draws the runs of lines, pen by pen.
class LinePainter {
 public:
  LinePainter(TVqMiniVecDraw& renderer, const Placement& placement, const TString& text, const TString& highlight)
      : mRenderer(renderer), mPlace(placement), mText(text.CStr()), mLength(text.Length()), mHighlight(highlight) {}

  // `y` is the line's top.
  void DrawLine(const TTextLine& line, float y) {
    TVec2 start(static_cast<float>(line.x) + mPlace.scaleX * line.xOffset,
                (static_cast<float>(line.ascent) / kQuartersPerPixel + y) * mPlace.scaleY);
    if (mPlace.sine != 0.0f) start = Turned(start - mPlace.origin) + mPlace.origin;
    mStart = start + mPlace.offset;
    mAlong = 0;
    mPreviousItalic = false;
    for (const TGlyphRun& run : line.runs) DrawRun(run);
  }

 private:
  // Turned by the text's rotation.
  TVec2 Turned(TVec2 v) const {
    return TVec2(v.x * mPlace.cosine - v.y * mPlace.sine, v.x * mPlace.sine + v.y * mPlace.cosine);
  }
  // The pen `along` pixels from the line's start, and a point off it.
  TVec2 At(float along, TVec2 off = TVec2()) const { return mStart + Turned(TVec2(along, 0) + off); }

  void DrawRun(const TGlyphRun& run) {
    const bool shown = !mPlace.clipToViewport || mPlace.viewport.Contains(At(mAlong + InkStart(run)));
    if (run.italic != mPreviousItalic) {
      if (run.font) {
        const float metric = mPreviousItalic ? run.font->GetAscent() : run.font->GetDescent();
        mAlong += run.scale * mPlace.glyphScaleX / kItalicShear * metric / kQuartersPerPixel;
      }
      mPreviousItalic = run.italic;
    }
    if (shown) SetStyle(run);
    const float runStart = mAlong;
    DrawGlyphs(run, shown);
    if (shown && run.cursor) DrawCursor(run);
    if (shown && run.underline && mAlong > runStart) {
      const float thickness = BarThickness(run);
      DrawBar(runStart, TVec2(0, thickness), mAlong - runStart, thickness);
    }
    if (run.tab != 0) mAlong = static_cast<float>(run.tab) / kQuartersPerPixel * mPlace.glyphScaleX;
  }

  // How far the ink of the run's first glyph lies from the pen. The layout
  // sets a line's first glyph in by its left bearing, so a glyph with a wide
  // bearing starts the pen left of the line's box while its ink lies inside:
  // a run is judged by where its ink starts.
  float InkStart(const TGlyphRun& run) const {
    if (!run.font) return 0;
    const int32_t end = std::min(run.last + 1, mLength);
    int32_t at = run.first;
    int32_t glyph = -1;
    while (NextGlyph(run, end, at, glyph)) {
      if (glyph >= 0) return run.font->GetLeftBearing(glyph) * run.scale * mPlace.glyphScaleX / kQuartersPerPixel;
    }
    return 0;
  }

  // Steps over the next character of the run, a backslash before it
  // skipped, and gives its glyph (-1 for none); false at the run's end.
  bool NextGlyph(const TGlyphRun& run, int32_t end, int32_t& at, int32_t& glyph) const {
    if (at >= end || (mText[at] == '\\' && ++at >= end)) return false;
    int32_t bytes = 1;
    const uint32_t code = DecodeUtf8Char(mText, mLength, at, bytes);
    at += bytes;
    glyph = run.font->FindGlyph(code);
    return true;
  }

  void SetStyle(const TGlyphRun& run) {
    const bool highlighted = !run.linkId.IsEmpty() && run.linkId == mHighlight;
    const TColor& fill = highlighted ? run.markColor : run.color;
    float bold = 0;
    if (run.font && (run.bold || run.font->GetBold())) {
      bold = static_cast<float>(run.size) * mPlace.glyphScaleY * kBoldWidthPerPixel * run.font->GetWeight();
    }
    mRenderer.SetItalic(run.italic);
    mRenderer.SetColor(TVqMiniVecDraw::kTextColourSlot, fill, mPlace.alpha);
    if (run.outlineWidth > 0) {
      mRenderer.SetStrokeWidths(run.outlineWidth + bold, bold);
      mRenderer.SetColor(TVqMiniVecDraw::kFirstStrokeSlot, run.outlineColor, mPlace.alpha);
      mRenderer.SetColor(TVqMiniVecDraw::kSecondStrokeSlot, fill, mPlace.alpha);
    } else {
      mRenderer.SetStrokeWidths(bold, 0);
      mRenderer.SetColor(TVqMiniVecDraw::kFirstStrokeSlot, fill, mPlace.alpha);
    }
  }

  // Every character of the run, a backslash before one skipped, moves the
  // pen by its advance; a hidden run only moves it.
  void DrawGlyphs(const TGlyphRun& run, bool shown) {
    if (!run.font) return;
    const int32_t end = std::min(run.last + 1, mLength);
    int32_t at = run.first;
    int32_t glyph = -1;
    while (NextGlyph(run, end, at, glyph)) {
      if (glyph < 0) continue;
      if (shown) {
        const TVec2 pen = At(mAlong);
        const float scale = run.scale * run.font->GetGlyphScale(glyph);
        mRenderer.SetPen(pen.x, pen.y);
        mRenderer.DrawOutline(run.font->GetProgram(glyph), scale * mPlace.glyphScaleX, scale * mPlace.glyphScaleY);
      }
      mAlong += run.font->GetAdvance(glyph) * run.scale * mPlace.glyphScaleX / kQuartersPerPixel;
    }
  }

  float BarThickness(const TGlyphRun& run) const {
    return std::max(1.0f, static_cast<float>(run.size) * mPlace.glyphScaleY * kBarThicknessPerPixel);
  }

  // From the font's ascent above the baseline to its descent below.
  void DrawCursor(const TGlyphRun& run) {
    if (!run.font) return;
    const float toPixels = run.scale * mPlace.glyphScaleY / kQuartersPerPixel;
    const float ascent = run.font->GetAscent() * toPixels;
    DrawBar(mAlong, TVec2(0, -ascent), BarThickness(run), ascent + run.font->GetDescent() * toPixels);
  }

  // An upright rectangle, `off` from the pen `along` the line, without outline.
  void DrawBar(float along, TVec2 off, float width, float height) {
    mRenderer.SetItalic(false);
    mRenderer.SetStrokeWidths(0, 0);
    const TVec2 corner = At(along, off);
    mRenderer.SetPen(corner.x, corner.y);
    mRenderer.DrawOutline(kUnitSquare, width * kQuartersPerPixel, height * kQuartersPerPixel);
  }

  TVqMiniVecDraw& mRenderer;
  const Placement& mPlace;
  const char* mText;
  int32_t mLength;
  const TString& mHighlight;
  TVec2 mStart;
  float mAlong = 0;
  bool mPreviousItalic = false;
};

}  // namespace

void TTextLayout::Draw(const TRect& rect, float scale, float spacing, const std::shared_ptr<TTexture>& target,
                       std::shared_ptr<const void> holder) {
  DrawScaled(rect, scale, scale, spacing, TVec2(0, 0), 1.0f, target, std::move(holder));
}

void TTextLayout::Draw(const TRect& rect, float scaleX, float scaleY, float spacing, const TVec2& offset,
                       float alpha) {
  DrawScaled(rect, scaleX, scaleY, spacing, offset, alpha, nullptr, nullptr);
}

// A line is drawn when the bottom of a line of the base size lies within
// the rectangle; a run when its ink starts within the display's viewport.
void TTextLayout::DrawScaled(const TRect& rect, float scaleX, float scaleY, float spacing, const TVec2& offset,
                             float alpha, const std::shared_ptr<TTexture>& target,
                             std::shared_ptr<const void> holder) {
  if (scaleX < 0 || scaleY < 0) return;
  TPlatform* platform = TPlatform::Instance();
  TVqMiniVecDraw* renderer = platform ? platform->GetVecDraw() : nullptr;
  if (!renderer) return;
  Placement place;
  place.scaleX = place.glyphScaleX = scaleX;
  place.scaleY = place.glyphScaleY = scaleY;
  float hostScale = 1.0f;
  if (!target && platform->GetDisplayScale(hostScale)) {
    place.glyphScaleX *= hostScale;
    place.glyphScaleY *= hostScale;
  }
  place.alpha = alpha;
  place.cosine = mCosine;
  place.sine = mSine;
  place.origin = TVec2(static_cast<float>(mOriginX), static_cast<float>(mOriginY));
  place.offset = TVec2(static_cast<float>(rect.left), static_cast<float>(rect.top)) + offset;
  place.clipToViewport = !target;
  if (!target) platform->GetViewport(place.viewport);
  renderer->SetCopyAlpha(mCopyAlpha);
  renderer->SetRotation(mCosine, mSine);
  if (renderer->Begin(place.offset.x, place.offset.y, target, std::move(holder))) {
    LinePainter painter(*renderer, place, mText, mHighlightLink);
    float y = scaleY * mVerticalOffset + static_cast<float>(mTop);
    const float bottom = static_cast<float>(rect.Height());
    for (int32_t index = FirstShownLine(); index < GetLineCount(); ++index) {
      const TTextLine& line = *mLines[index];
      const float lineBottom = y + static_cast<float>(mFontSize) * scaleY;
      if (lineBottom >= 0 && lineBottom <= bottom) painter.DrawLine(line, y);
      y += static_cast<float>(line.height) + spacing;
    }
  }
  renderer->End();
}
