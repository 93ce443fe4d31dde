#pragma once

#include <cstdint>
#include <memory>

#include "platform/text/TString.h"
#include "platform/types/TColor.h"
#include "windows/core/TWindow.h"

class TTextLayout;

// A window that shows a marked-up text (see TTextLayout for the mark-up)
// laid out in its box. Any invalidation of it covers all of it. Links of
// the text ("a" tags with an id) light up under the pointer, and a click on
// one presses the button of the same name in the enclosing dialog, as if
// that button had been clicked. Buttons show their label through a text
// window named "label".
class TText : public TWindow {
 public:
  static TClassId ClassId();
  // The window as a text window, or null.
  static TText* Cast(TWindow* window);

  // A snapshot member is drawn into the snapshot of the lower modal layers.
  explicit TText(bool snapshotMember = false);
  ~TText() override;

  // Lays the text out in a box of width x height pixels with the layout's
  // flags (TTextLayout::Flags), font name ("" for the default font),
  // font size in pixels and colour, sizes the window to the box and sets
  // the label (through SetLabel, so a subclass shows its own form of it).
  // False, and nothing changes, when the width or the height is 0.
  bool Setup(const TString& text, int32_t width, int32_t height, int32_t flags, const TString& fontName,
             int32_t fontSize, const TColor& colour);

  // Shows another text, dirtying the window when the text changes; nothing
  // before Setup.
  virtual void SetLabel(const TString& text);
  // The text shown; "" before Setup.
  virtual TString GetLabel() const;

  // Turns the text by degrees about the origin (pixels of the window).
  void SetRotation(float degrees, int32_t originX, int32_t originY);
  // Drawing scales, 1.0 by default.
  void SetScale(float x, float y);
  // Pixels added to every line's height, 0 by default.
  void SetLineSpacing(int32_t spacing);
  // Null before Setup.
  TTextLayout* GetLayout() const { return mLayout.get(); }

  bool IsKindOf(TClassId id) const override;
  void Draw() override;
  // Scrolls: 0 shows the text from its first line, 1 so that its end shows
  // (fractions in between); the second argument is not used.
  void Rescale(float position, int32_t unused) override;
  bool OnMouseDown(int32_t x, int32_t y) override;
  bool OnMouseUp(int32_t x, int32_t y) override;
  bool OnMouseMove(int32_t x, int32_t y) override;
  void OnCaptureLost() override;
  // Any rectangle grows to the whole window, so the whole text is drawn
  // again and the whole of it dirties the windows above.
  bool InvalidateRect(TRect* rect) override;

 private:
  TString LinkAt(int32_t x, int32_t y) const;
  void PressLink(const TString& link);

  std::unique_ptr<TTextLayout> mLayout;
  float mScaleX = 1.0f;
  float mScaleY = 1.0f;
  int32_t mLineSpacing = 0;
  // The link under the last left press, "" when none.
  TString mPressedLink;
};
