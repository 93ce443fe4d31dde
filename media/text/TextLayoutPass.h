#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "media/text/MarkupText.h"
#include "media/text/TMarkupState.h"
#include "media/text/TTextLayout.h"
#include "platform/text/TString.h"

class TPlatform;
class TVecFont;

// One layout pass over a marked-up text: splits it into lines of glyph runs
// that fit a box `width` pixels wide, and places each line horizontally.
// Pens run in quarter pixels; runs and lines keep whole pixels. The mark-up
// state must be reset to the text's base font before the pass. Fonts come
// from the platform's font cache.
class TextLayoutPass {
 public:
  TextLayoutPass(const TString& text, int32_t width, int32_t flags, TMarkupState& state);

  void Run();

  std::vector<std::shared_ptr<TTextLine>> lines;
  int32_t left = std::numeric_limits<int32_t>::max();  // smallest line x; unchanged without lines
  int32_t right = 0;                                   // largest line end
  int64_t totalHeight = 0;

 private:
  // Where the pen stands, with what the line's first glyph decided.
  struct Pen {
    float x = 0;
    float gap = 0;  // the room a glyph wider than its advance owes the next one
    bool firstGlyph = true;
    float firstBearing = 0;
    float firstOutline = 0;
  };
  enum class Step { Continue, EndRun, Wrapped };
  enum class Glyph { Placed, NoRoom, EndRunBefore };

  void LayOutLine();
  void LayOutRun();
  TGlyphRun& StartRun();
  Step LayOutPosition(TGlyphRun& run);
  Step TakeTag(TGlyphRun& run, const TTagBuffer& tag, int32_t taken);
  Step TakeCharacter(TGlyphRun& run);
  Glyph ChooseGlyph(TGlyphRun& run, uint32_t code);
  void Advance(const TGlyphRun& run, int32_t glyph);
  bool Overflows(const TGlyphRun& run) const;
  Step Wrap(TGlyphRun& run, int32_t at, const Pen& before);
  void WrapAtBreak();
  void CloseRun(TGlyphRun& run);
  void FinishLine();
  void PlaceLine(TTextLine& line, int32_t lineWidth) const;
  void RecordBreak(int32_t at);
  const TVecFont* FontNamed(const TString& name);

  const char* mText;
  int32_t mLength;
  int32_t mWidth;
  int32_t mFlags;
  TMarkupState& mState;
  TPlatform* mPlatform;
  const TVecFont* mDefaultFont = nullptr;
  TString mLastFontName;
  const TVecFont* mLastFont = nullptr;
  bool mFontLookedUp = false;
  bool mMissingFontLogged = false;

  int32_t mPos = 0;
  bool mFallback = false;  // runs draw from the default font until their own font has the character again
  int32_t mAlignmentOverride = TMarkupState::kNoAlignment;

  // The line being laid out.
  TTextLine* mLine = nullptr;
  Pen mPen;
  int32_t mPad = 0;
  bool mLineEnded = false;
  bool mAlignmentTagMet = false;
  int32_t mLineCharacters = 0;
  bool mPreviousItalic = false;

  // The line's last blank, where it wraps: the pen before it, and the
  // state there, kept once a tag after it changes the state.
  int32_t mBreakIndex = -1;
  Pen mBreakPen;
  bool mBreakFallback = false;
  bool mBreakStateKept = false;
  TMarkupState mBreakState;

  // The run being laid out.
  bool mRunIsFallback = false;
  bool mRunEndedByContentTag = false;  // a line end or the cursor
};
