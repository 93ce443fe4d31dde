#include "game/gui/effects/TQuotePanel.h"

#include <algorithm>

#include "media/text/TTextLayout.h"

namespace GUI {

namespace {

constexpr char kQuotePanelFont[] = "fonts/palabi.mvec";
constexpr int32_t kQuotePanelFontSize = 14;
constexpr int32_t kQuotePanelFlags = TTextLayout::kCentreLines | TTextLayout::kCentreBlock;
constexpr float kQuotePanelTextScale = 2.0f;
// The fade-in gains this much for every 10 ms between steps.
constexpr float kQuotePanelStepGain = 0.03f;
constexpr float kQuotePanelStepMs = 10.0f;
// The texts are printed on the paper of the sheet: the title in a dark
// gold, the quote in the ink of the score table's rows.
const TColor kTitleInk(0.45f, 0.3f, 0.05f, 1.0f);
const TColor kQuoteInk(27.0f / 255.0f, 27.0f / 255.0f, 42.0f / 255.0f, 1.0f);

// Where each text goes on the 800 x 600 screen.
constexpr int32_t kTitleLeft = 290;
constexpr int32_t kTitleRight = 690;
constexpr int32_t kTitleMiddleY = 164;
constexpr int32_t kQuoteCentreX = 475;
constexpr int32_t kQuoteCentreY = 500;

const TRect kTitleRect(kTitleLeft, kTitleMiddleY - TQuotePanel::kHalfHeight, kTitleRight,
                       kTitleMiddleY + TQuotePanel::kHalfHeight);
const TRect kQuoteRect(kQuoteCentreX - TQuotePanel::kHalfWidth, kQuoteCentreY - TQuotePanel::kHalfHeight,
                       kQuoteCentreX + TQuotePanel::kHalfWidth, kQuoteCentreY + TQuotePanel::kHalfHeight);

// Laid out at half the box, the text drawn twice its size fills the box.
std::unique_ptr<TTextLayout> CreatePanelLayout(const TRect& rect, const TColor& ink) {
  const auto scale = static_cast<int32_t>(kQuotePanelTextScale);
  return TTextLayout::Create("", rect.Width() / scale, rect.Height() / scale, kQuotePanelFlags,
                             kQuotePanelFont, kQuotePanelFontSize, ink);
}

}  // namespace

TQuotePanel::TQuotePanel()
    : mTitleLayout(CreatePanelLayout(kTitleRect, kTitleInk)), mQuoteLayout(CreatePanelLayout(kQuoteRect, kQuoteInk)) {
  mTitleLayout->SetText(kTitle);
}

TQuotePanel::~TQuotePanel() {
  TTextLayout::Delete(mTitleLayout);
  TTextLayout::Delete(mQuoteLayout);
}

void TQuotePanel::Start(const TString& title, const TString& quote) {
  mTitle = title;
  mQuote = quote;
  mQuoteLayout->SetText(quote);
  mProgress = 0.0f;
  mClock.Reset();
  mClock.Start();
}

bool TQuotePanel::Advance() {
  const uint32_t elapsedMs = mClock.GetTime();
  mClock.Reset();
  mClock.Start();
  mProgress += static_cast<float>(elapsedMs) / kQuotePanelStepMs * kQuotePanelStepGain;
  const bool passedTheEnd = mProgress > 1.0f;
  mProgress = std::min(mProgress, 1.0f);
  return passedTheEnd;
}

int32_t TQuotePanel::GetQuoteLineCount() const { return mQuoteLayout->GetLineCount(); }

void TQuotePanel::Draw() {
  if (mProgress <= 0.0f) return;
  mTitleLayout->Draw(kTitleRect, kQuotePanelTextScale, kQuotePanelTextScale, 0.0f, TVec2(0, 0), mProgress);
  mQuoteLayout->Draw(kQuoteRect, kQuotePanelTextScale, kQuotePanelTextScale, 0.0f, TVec2(0, 0), mProgress);
}

}  // namespace GUI
