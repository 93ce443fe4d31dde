// Every quote the score table can award, laid out by the quote panel in
// the game's font: it has to end on the paper of the sheet it is shown on,
// above the table's buttons.
#include <gtest/gtest.h>

#include "game/gui/effects/TQuotePanel.h"
#include "media/text/TFontCache.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/FakePlatform.h"

namespace {

constexpr int kQuoteWorlds = 10;
constexpr int kQuoteLevels = 5;

TEST(Quotes, EveryQuoteFitsThePanelInFourLines) {
  BuiltDataFolder folder;
  FakePlatform platform;
  TFontCache cache;
  platform.fonts["fonts/palabi.mvec"] = cache.GetFont("fonts/palabi.mvec");
  ASSERT_NE(platform.fonts["fonts/palabi.mvec"], nullptr);
  TStringTable quotes;
  ASSERT_TRUE(quotes.Load("levels/quotes.xml"));
  GUI::TQuotePanel panel;
  for (int world = 1; world <= kQuoteWorlds; ++world) {
    for (int level = 1; level <= kQuoteLevels; ++level) {
      const TString key = TString::Format("World%02d_%02d", world, level);
      const TString quote = quotes.GetString(key);
      panel.Start("", quote);
      EXPECT_GT(panel.GetQuoteLineCount(), 0) << key.CStr();
      EXPECT_LE(panel.GetQuoteLineCount(), GUI::TQuotePanel::kMostQuoteLines) << key.CStr() << ": " << quote.CStr();
    }
  }
}

}  // namespace
