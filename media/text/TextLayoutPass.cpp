#include "media/text/TextLayoutPass.h"

#include <algorithm>
#include <cmath>

#include "media/text/TFontCache.h"
#include "media/text/TVecFont.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"

namespace {

// A font's em, its line box divided by 0.8, maps onto its size in pixels:
// 3.2 quarter pixels per pixel of size over the line box.
constexpr float kEmQuartersPerPixel = 3.2f;
// One pixel of room before the first glyph's ink.
constexpr float kFirstGlyphRoom = 4.0f;
// The italic shear moves x by a third of y.

int32_t ToInt32(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(std::clamp(value, -2147483648.0, 2147483647.0));
}

// Half away from zero.
int32_t Round(double value) { return ToInt32(value >= 0 ? value + 0.5 : value - 0.5); }

// Quarter pixels to whole pixels: rounded, then truncated toward zero.
int32_t Pixels(float quarters) { return Round(quarters) / 4; }

float RunScale(const TVecFont* font, int32_t size) {
  if (!font) return 0.0f;
  const float lineBox = font->GetAscent() + font->GetDescent();
  return lineBox > 0.0f ? kEmQuartersPerPixel * static_cast<float>(size) / lineBox : 0.0f;
}

}  // namespace

TextLayoutPass::TextLayoutPass(const TString& text, int32_t width, int32_t flags, TMarkupState& state)
    : mText(text.CStr()), mLength(text.Length()), mWidth(width), mFlags(flags), mState(state),
      mPlatform(TPlatform::Instance()) {}

void TextLayoutPass::Run() {
  mDefaultFont = FontNamed(TFontCache::kDefaultFile);
  while (mPos < mLength) LayOutLine();
}

const TVecFont* TextLayoutPass::FontNamed(const TString& name) {
  if (!mFontLookedUp || name != mLastFontName) {
    mLastFont = mPlatform ? mPlatform->GetFont(name) : nullptr;
    mLastFontName = name;
    mFontLookedUp = true;
  }
  return mLastFont;
}

void TextLayoutPass::LayOutLine() {
  auto line = std::make_shared<TTextLine>();
  mLine = line.get();
  mPen = Pen();
  mPad = 0;
  mLineEnded = false;
  mAlignmentTagMet = false;
  mLineCharacters = 0;
  mPreviousItalic = false;
  mBreakIndex = -1;
  while (!mLineEnded && mPos < mLength) LayOutRun();
  FinishLine();
  lines.push_back(std::move(line));
}

void TextLayoutPass::LayOutRun() {
  TGlyphRun& run = StartRun();
  Step step = Step::Continue;
  while (step == Step::Continue && mPos < mLength) step = LayOutPosition(run);
  if (step == Step::Wrapped) return;
  if (step == Step::Continue) run.last = mLength - 1;
  CloseRun(run);
}

TGlyphRun& TextLayoutPass::StartRun() {
  const TFontState& font = mState.Font();
  TGlyphRun run;
  run.size = font.size;
  run.color = font.color;
  run.bold = mState.bold;
  run.italic = mState.italic;
  run.underline = mState.underline;
  run.linkId = mState.linkId;
  run.markColor = mState.color;
  run.outlineWidth = mState.outlineWidth;
  run.outlineColor = mState.outlineColor;
  const TVecFont* own = FontNamed(font.name);
  mRunIsFallback = mFallback;
  run.font = mFallback ? mDefaultFont : own;
  run.preferredFont = mFallback ? own : nullptr;
  run.scale = RunScale(run.font, run.size);
  if (run.font) run.ascent = ToInt32((run.font->GetExtraAbove() + run.font->GetAscent()) * run.scale);
  run.first = mPos;
  run.startX = Pixels(mPen.x);
  if (run.italic != mPreviousItalic) {
    if (run.font) {
      mPen.x += run.scale / kItalicShear * (mPreviousItalic ? run.font->GetAscent() : run.font->GetDescent());
    }
    mPreviousItalic = run.italic;
  }
  mRunEndedByContentTag = false;
  mLine->runs.push_back(std::move(run));
  return mLine->runs.back();
}

TextLayoutPass::Step TextLayoutPass::LayOutPosition(TGlyphRun& run) {
  if (mText[mPos] == '<') {
    TTagBuffer tag;
    const int32_t taken = ReadTag(mText, mLength, mPos, tag);
    if (taken > 0) return TakeTag(run, tag, taken);
  }
  return TakeCharacter(run);
}

// A tag ends the run before it; the next run starts with the state after it.
TextLayoutPass::Step TextLayoutPass::TakeTag(TGlyphRun& run, const TTagBuffer& tag, int32_t taken) {
  run.last = mPos - 1;
  mPos += taken;
  const TMarkupTag kind = IdentifyTag(tag);
  TString value;
  switch (kind) {
    case TMarkupTag::LineBreak:
      if (GetTagAttribute(tag, "pad", value)) mPad = ReadMarkupNumber(value);
      [[fallthrough]];
    case TMarkupTag::EndParagraph:
      mRunEndedByContentTag = true;
      mLineEnded = true;
      break;
    case TMarkupTag::Cursor:
      run.cursor = true;
      mRunEndedByContentTag = true;
      break;
    case TMarkupTag::Center:
    case TMarkupTag::EndCenter:
    case TMarkupTag::Left:
    case TMarkupTag::EndLeft:
    case TMarkupTag::Right:
    case TMarkupTag::EndRight:
      mLineEnded = true;
      mAlignmentTagMet = true;
      break;
    case TMarkupTag::Tab:
      GetTagAttribute(tag, "pos", value);
      run.tab = ReadMarkupNumber(value) * 4;
      mPen.x = static_cast<float>(run.tab);
      mPen.gap = 0;
      break;
    default: break;
  }
  // A wrap back to the line's last blank reads this tag again.
  if (mBreakIndex >= 0 && !mBreakStateKept) {
    mBreakState = mState;
    mBreakStateKept = true;
  }
  mState.Apply(kind, tag);
  return Step::EndRun;
}

TextLayoutPass::Step TextLayoutPass::TakeCharacter(TGlyphRun& run) {
  const int32_t at = mPos;
  const bool literal = mText[at] == '\\';
  const int32_t characterAt = literal ? at + 1 : at;
  if (characterAt >= mLength) {  // a backslash that ends the text escapes nothing
    mPos = mLength;
    return Step::Continue;
  }
  int32_t bytes = 1;
  const uint32_t code = DecodeUtf8Char(mText, mLength, characterAt, bytes);
  if (!literal && code == '\n') {
    run.last = at - 1;
    mPos = characterAt + bytes;
    mRunEndedByContentTag = true;
    mLineEnded = true;
    return Step::EndRun;
  }
  if (!literal && code == ' ') RecordBreak(at);
  const Pen before = mPen;
  if (ChooseGlyph(run, code) == Glyph::EndRunBefore) {
    run.last = at - 1;
    return Step::EndRun;
  }
  mPos = characterAt + bytes;
  ++mLineCharacters;
  if (Overflows(run)) return Wrap(run, at, before);
  return Step::Continue;
}

TextLayoutPass::Glyph TextLayoutPass::ChooseGlyph(TGlyphRun& run, uint32_t code) {
  if (!run.font && !mDefaultFont) {
    if (!mMissingFontLogged) LogPrintf("ERROR: FONT missing in text when attempting to render string %s.", mText);
    mMissingFontLogged = true;
    return Glyph::NoRoom;
  }
  if (mRunIsFallback && run.preferredFont && run.preferredFont->FindGlyph(code) >= 0) {
    mFallback = false;
    return Glyph::EndRunBefore;
  }
  const int32_t glyph = run.font ? run.font->FindGlyph(code) : -1;
  if (glyph >= 0) {
    Advance(run, glyph);
    return Glyph::Placed;
  }
  if (!mRunIsFallback && mDefaultFont && mDefaultFont->FindGlyph(code) >= 0) {
    mFallback = true;
    return Glyph::EndRunBefore;
  }
  return Glyph::NoRoom;
}

// The pen moves by the glyph's advance or its ink, whichever is wider; ink
// wider than the advance gives the difference back before the next glyph,
// so that a line ends at its last ink.
void TextLayoutPass::Advance(const TGlyphRun& run, int32_t glyph) {
  const float advance = run.font->GetAdvance(glyph);
  const float width = run.font->GetWidth(glyph);
  mPen.x += mPen.gap;
  if (advance > width) {
    mPen.x += advance * run.scale;
    mPen.gap = 0;
  } else {
    mPen.x += width * run.scale;
    mPen.gap = (advance - width) * run.scale;
  }
  if (!mPen.firstGlyph) return;
  mPen.firstGlyph = false;
  mPen.firstBearing = kFirstGlyphRoom - run.font->GetLeftBearing(glyph) * run.scale;
  mPen.x += mPen.firstBearing;
  mPen.firstOutline = run.outlineWidth;
}

// The outlines of the line's first run and of this one need room too.
bool TextLayoutPass::Overflows(const TGlyphRun& run) const {
  const float allowance = (mPen.firstOutline + 1.0f + run.outlineWidth) * kQuartersPerPixel;
  return Round(allowance + mPen.x) > static_cast<int64_t>(mWidth) * 4;
}

// Back to the line's last blank, which is dropped; without one, the
// character that does not fit starts the next line, unless it is the
// line's only one.
TextLayoutPass::Step TextLayoutPass::Wrap(TGlyphRun& run, int32_t at, const Pen& before) {
  mLineEnded = true;
  if (mBreakIndex > 0 && mBreakPen.x != 0.0f) {
    WrapAtBreak();
    return Step::Wrapped;
  }
  if (mLineCharacters > 1) {
    mPos = at;
    mPen = before;
  }
  run.last = mPos - 1;
  return Step::EndRun;
}

// The runs after the blank go; the one holding it ends before it.
void TextLayoutPass::WrapAtBreak() {
  mPos = mBreakIndex + 1;
  mPen = mBreakPen;
  mFallback = mBreakFallback;
  if (mBreakStateKept) mState = mBreakState;
  std::vector<TGlyphRun>& runs = mLine->runs;
  while (runs.size() > 1 && runs.back().first > mBreakIndex) runs.pop_back();
  TGlyphRun& kept = runs.back();
  kept.last = mBreakIndex - 1;
  kept.cursor = false;
  kept.tab = 0;
  kept.endX = Pixels(mPen.x);
  if (kept.last < kept.first) kept.size = kept.ascent = 0;
}

void TextLayoutPass::RecordBreak(int32_t at) {
  mBreakIndex = at;
  mBreakPen = mPen;
  mBreakFallback = mFallback;
  mBreakStateKept = false;
}

void TextLayoutPass::CloseRun(TGlyphRun& run) {
  run.endX = Pixels(mPen.x);
  if (!mRunEndedByContentTag && run.last < run.first) run.size = run.ascent = 0;
}

void TextLayoutPass::FinishLine() {
  TTextLine& line = *mLine;
  int64_t height = 0;
  for (const TGlyphRun& run : line.runs) {
    height = std::max<int64_t>(height, run.size);
    line.ascent = std::max(line.ascent, run.ascent);
  }
  line.height = ToInt32(static_cast<double>(height + mPad));
  const int32_t lineWidth = Pixels(mPen.x);
  PlaceLine(line, lineWidth);
  if (mAlignmentTagMet) mAlignmentOverride = mState.Alignment();
  left = std::min(left, line.x);
  right = std::max(right, ToInt32(static_cast<double>(line.x) + lineWidth));
  totalHeight += line.height;
}

void TextLayoutPass::PlaceLine(TTextLine& line, int32_t lineWidth) const {
  int32_t alignment = mAlignmentOverride;
  if (alignment == TMarkupState::kNoAlignment) {
    alignment = (mFlags & TTextLayout::kCentreLines)       ? TMarkupState::kCentre
                : (mFlags & TTextLayout::kRightAlignLines) ? TMarkupState::kRight
                                                           : TMarkupState::kLeft;
  }
  switch (alignment) {
    case TMarkupState::kCentre:
      line.x = mWidth / 2;
      line.xOffset = static_cast<float>(-lineWidth) * 0.5f;
      break;
    case TMarkupState::kRight:
      line.x = ToInt32(static_cast<double>(mWidth) - Round(mPen.firstOutline) - 1);
      line.xOffset = static_cast<float>(-lineWidth);
      break;
    default:
      line.x = Round(mPen.firstOutline);
      line.xOffset = 0;
      break;
  }
  line.xOffset += mPen.firstBearing * 0.25f + 0.5f;
}
