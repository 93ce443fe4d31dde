#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/text/TString.h"
#include "platform/types/TColor.h"
#include "platform/types/TRect.h"
#include "platform/types/TVec2.h"

// Layout measures in quarter pixels; italic runs lean one unit across for
// every three up.
inline constexpr float kQuartersPerPixel = 4.0f;
inline constexpr float kItalicShear = 3.0f;

class TTexture;
class TVecFont;
struct TMarkupState;

// A stretch of characters of one line drawn in one font state. Positions
// within the text are byte indexes; x positions are whole pixels from the
// line's start.
struct TGlyphRun {
  const TVecFont* font = nullptr;           // drawn from; the default font for a fall-back run
  float scale = 0;                          // font units to quarter pixels
  int32_t size = 0;                         // pixels; 0 for a run without content
  int32_t ascent = 0;                       // quarter pixels, with the line box's room above
  const TVecFont* preferredFont = nullptr;  // a fall-back run's own font
  TColor color;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool cursor = false;  // a "cursor" tag ends the run
  int32_t first = 0;
  int32_t last = -2;  // its last byte; first - 1 for a run without characters
  int32_t startX = 0;
  int32_t endX = 0;
  TString linkId;  // "" outside links
  TColor markColor;  // the link's own colour
  float outlineWidth = 0;  // pixels; 0 without outline
  TColor outlineColor;
  int32_t tab = 0;  // a "tab" tag ends the run and moves the pen there (quarter pixels); 0 for none
};

struct TTextLine {
  int32_t height = 0;  // pixels: the largest size of its runs, with a "br" tag's pad
  int32_t ascent = 0;  // quarter pixels: the largest ascent of its runs
  int32_t x = 0;       // pixels
  float xOffset = 0;   // pixels, to the first glyph's pen
  std::vector<TGlyphRun> runs;
};

// A marked-up text laid out into lines of glyph runs within a box, drawn
// through the platform's vector renderer. The text comes from outside:
// whatever it holds, layout reads only inside it and always ends.
//
// Mark-up: <br pad='n'> and </p> end a line (a line break also ends at
// '\n'); <a id='...' color='#rrggbb'> and </a> mark a link; <b>, <i>, <u>
// and their closers switch bold, italic and underline; <cursor> draws the
// text cursor; <center>, <left>, <right> and their closers set the
// alignment of the lines after them; <font size='n' color='#rrggbb'
// face='name'> and </font> nest font changes; <outline color='#rrggbb'
// size='n'> and </outline> draw outlined; <tab pos='n'> moves to n pixels.
// A backslash makes the next character plain text. Lines wrap at blanks;
// a word longer than the box is broken before the character that does not
// fit.
//
// A layout lays itself out when made and again only when its text, colour
// or rotation really changes; drawing and hit tests use what it laid out.
// Main thread only.
class TTextLayout {
 public:
  enum Flags : int32_t {
    kCentreLines = 1,
    kRightAlignLines = 2,  // neither: lines start on the left
    kCentreBlock = 4,
    kBottomBlock = 8,  // neither: the text starts at the top
  };
  // The font a layout made without a font name draws from.
  static constexpr char kDefaultFontName[] = "__DEFAULT";

  // A null or empty font name stands for kDefaultFontName.
  static std::unique_ptr<TTextLayout> Create(TString text, int32_t width, int32_t height, int32_t flags,
                                             const char* fontName, int32_t fontSize, const TColor& color);
  // Null is allowed.
  static void Delete(std::unique_ptr<TTextLayout>& layout);
  ~TTextLayout();
  TTextLayout(const TTextLayout&) = delete;
  TTextLayout& operator=(const TTextLayout&) = delete;

  void SetText(const TString& text);
  const TString& GetText() const { return mText; }
  void SetColor(const TColor& color);
  // Turns the text about the origin (pixels of the drawing rectangle). Near
  // a whole turn the text stays exactly upright.
  void SetRotation(float degrees, int32_t originX, int32_t originY);
  float GetCosine() const { return mCosine; }
  float GetSine() const { return mSine; }
  int32_t GetOriginX() const { return mOriginX; }
  int32_t GetOriginY() const { return mOriginY; }

  int32_t GetLineCount() const { return static_cast<int32_t>(mLines.size()); }
  const std::vector<std::shared_ptr<TTextLine>>& GetLines() const { return mLines; }
  // Walking back from the last line, adding each line's height and the
  // spacing, times the scale: the line at which the sum first passes the
  // box's height; 0 when all lines fit.
  int32_t CountLinesFromEnd(float scale, float spacing) const;

  // The link id of the run under the point (pixels of the box), "" when none.
  TString GetLinkAt(const TVec2& point, float spacing) const;
  // Whether a link lies under the point; that link becomes the highlighted
  // one. Without a point no link is highlighted.
  bool IsLinkAt(const TVec2* point, float spacing);
  void SetHighlightLink(const TString& linkId) { mHighlightLink = linkId; }
  const TString& GetHighlightLink() const { return mHighlightLink; }

  // Draws into the rectangle, `scale` times the laid-out size; a negative
  // scale draws nothing. Into `target` when one is given, else on the
  // display. `holder` is kept alive while the text is drawn.
  void Draw(const TRect& rect, float scale, float spacing, const std::shared_ptr<TTexture>& target = nullptr,
            std::shared_ptr<const void> holder = nullptr);
  // On the display, with the horizontal and vertical scales apart, the text
  // moved by `offset` (pixels) and every colour's alpha times `alpha`. Which
  // lines show still depends on the rectangle alone.
  void Draw(const TRect& rect, float scaleX, float scaleY, float spacing, const TVec2& offset, float alpha);

  // The block of text in the box, in pixels: left and right are the
  // smallest line start and the largest line end.
  int32_t GetLeft() const { return mLeft; }
  int32_t GetTop() const { return mTop; }
  int32_t GetRight() const { return mRight; }
  int32_t GetBottom() const { return mBottom; }
  float GetVerticalOffset() const { return mVerticalOffset; }
  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  const TString& GetFontName() const { return mFontName; }
  int32_t GetFontSize() const { return mFontSize; }
  const TColor& GetColor() const { return mColor; }
  int32_t GetFlags() const { return mFlags; }

  // The first line drawn and hit-tested, for scrolling.
  void SetFirstLine(int32_t line) { mFirstLine = line; }
  int32_t GetFirstLine() const { return mFirstLine; }
  // Drawn into a texture, the text's colours replace the texture's instead
  // of blending over them.
  void SetCopyAlpha(bool on) { mCopyAlpha = on; }

 private:
  TTextLayout(TString text, int32_t width, int32_t height, int32_t flags, const char* fontName, int32_t fontSize,
              const TColor& color);
  void Layout();
  void PlaceBlock(int64_t totalHeight);
  void DrawScaled(const TRect& rect, float scaleX, float scaleY, float spacing, const TVec2& offset, float alpha,
                  const std::shared_ptr<TTexture>& target, std::shared_ptr<const void> holder);
  int32_t FirstShownLine() const;

  TString mText;
  std::unique_ptr<TMarkupState> mState;
  int32_t mLeft = 0;
  int32_t mTop = 0;
  int32_t mRight = 0;
  int32_t mBottom = 0;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  float mCosine = 1.0f;
  float mSine = 0.0f;
  int32_t mOriginX = 0;
  int32_t mOriginY = 0;
  bool mCopyAlpha = false;
  std::vector<std::shared_ptr<TTextLine>> mLines;
  TString mFontName;
  int32_t mFontSize = 0;
  TColor mColor;
  int32_t mFirstLine = 0;
  float mVerticalOffset = 0;
  TString mHighlightLink;
  int32_t mFlags = 0;
};
