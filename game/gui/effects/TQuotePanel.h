#pragma once

#include <cstdint>
#include <memory>

#include "platform/text/TString.h"
#include "platform/time/TClock.h"

class TTextLayout;

namespace GUI {

// The panel that closes a won level with the quote it awarded: the title
// "Expert Quote Awarded!" above the quote, both fading in together as the
// end-of-level flow steps it. Main thread only.
class TQuotePanel {
 public:
  static constexpr char kTitle[] = "Expert Quote Awarded!";
  static constexpr int32_t kHalfWidth = 150;
  static constexpr int32_t kHalfHeight = 85;
  // A quote of more lines reaches past the paper of the sheet it is shown on.
  static constexpr int32_t kMostQuoteLines = 4;

  TQuotePanel();
  ~TQuotePanel();
  TQuotePanel(const TQuotePanel&) = delete;
  TQuotePanel& operator=(const TQuotePanel&) = delete;

  // The texts, shown from nothing; the fade-in counts from now.
  void Start(const TString& title, const TString& quote);
  // One step of the fade-in by the time since the last step (0.03 for every
  // 10 ms, so about a third of a second in all); true once it has gone past
  // the end. The progress stays at 1 from there on.
  bool Advance();
  bool IsDone() const { return mProgress >= 1.0f; }
  void SkipToEnd() { mProgress = 1.0f; }
  float GetProgress() const { return mProgress; }
  const TString& GetTitle() const { return mTitle; }
  const TString& GetQuote() const { return mQuote; }
  int32_t GetQuoteLineCount() const;

  // Both texts at twice their laid-out size, as opaque as the panel has
  // come; nothing before the fade-in has begun. In 2D drawing.
  void Draw();

 private:
  std::unique_ptr<TTextLayout> mTitleLayout;
  std::unique_ptr<TTextLayout> mQuoteLayout;
  TClock mClock;
  float mProgress = 0.0f;
  TString mTitle;
  TString mQuote;
};

}  // namespace GUI
