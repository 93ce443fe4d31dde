// Text in the platform object: its font cache and the frame-rate overlay.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TAppPlatform.h"
#include "media/text/BuiltinFont.h"
#include "media/text/TTextLayout.h"
#include "media/text/TVecFont.h"
#include "media/text/TVqMiniVecDraw.h"
#include "platform/text/Log.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDisplayHandler.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/PlatformRun.h"
#include "tests/support/TempFolder.h"

namespace {

bool Logged(const std::string& text) {
  return ReadWholeFile(GetLogPath().CStr()).find(text) != std::string::npos;
}

int32_t BuiltinGlyphs() {
  return TVecFont(std::vector<uint8_t>(BuiltinFontImage().begin(), BuiltinFontImage().end())).GetCount();
}

TEST(PlatformText, ALayoutWithoutAFontNameDrawsFromTheBuiltInFont) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    TVecFont* builtin = platform.GetFont("__DEFAULT");
    ASSERT_NE(builtin, nullptr);
    EXPECT_EQ(builtin->GetCount(), BuiltinGlyphs());
    const auto layout = TTextLayout::Create("a", 100, 100, 0, "", 16, TColor(1.0f, 1.0f, 1.0f, 1.0f));
    ASSERT_EQ(layout->GetLineCount(), 1);
    EXPECT_EQ(layout->GetLines()[0]->runs[0].font, builtin);
    EXPECT_EQ(platform.GetVecDraw(), nullptr) << "no renderer before the display set-up";
  });
}

// The first display set-up makes the renderer and calibrates it on the
// display (which, faked, has no render texture to offer); later ones keep it.
TEST(PlatformText, TheFirstDisplaySetUpMakesTheRenderer) {
  RunPlatform("", [](TAppPlatform& platform, FakeNativeWindow&) {
    platform.SetDisplay(800, 600, false);
    EXPECT_EQ(platform.GetVecDraw(), nullptr) << "not without a display";
    InstallDisplay(platform);
    platform.SetDisplay(800, 600, false);
    TVqMiniVecDraw* renderer = platform.GetVecDraw();
    ASSERT_NE(renderer, nullptr);
    EXPECT_TRUE(Logged("Vector drawing: no render texture to calibrate on"));
    EXPECT_EQ(renderer->GetOffsets().spanStart, -0.75f) << "the offsets of a failed calibration";
    platform.SetDisplay(640, 480, true);
    EXPECT_EQ(platform.GetVecDraw(), renderer);
  });
}

// The overlay's text goes over its panel, inside the same 2D block, and is
// laid out again when the rate changes.
TEST(PlatformText, TheOverlayWritesVersionAndRateInRedOverItsPanel) {
  FakeClock clock;
  RunPlatform(
      "",
      [&](TAppPlatform& platform, FakeNativeWindow&) {
        FakeDisplayHandler* display = InstallDisplay(platform);
        platform.SetDisplay(800, 600, false);
        display->Journal().Clear();
        platform.GetEventPump().mOverlayOn = true;
        platform.EndDraw(true);
        const std::vector<std::string> calls = display->Calls();
        ASSERT_GE(calls.size(), 5u);
        EXPECT_EQ(calls[0], "Begin2d");
        EXPECT_EQ(calls[1], "DrawRect 0 0 300 40 alpha 1.000000");
        EXPECT_EQ(calls[calls.size() - 3], "DrawVertices 2") << "the text, in one flush";
        EXPECT_EQ(calls[calls.size() - 2], "End2d");
        EXPECT_EQ(calls.back(), "EndDraw 1");

        const TTextLayout& text = *platform.GetData().mOverlayText;
        EXPECT_STREQ(text.GetText().CStr(), "Ostrivance Version 3.5.0.9<br>FPS<tab pos='200'>0.000000<br>");
        EXPECT_EQ(text.GetWidth(), 512);
        EXPECT_EQ(text.GetHeight(), 512);
        EXPECT_EQ(text.GetFontSize(), 16);
        EXPECT_STREQ(text.GetFontName().CStr(), "__DEFAULT");
        EXPECT_EQ(text.GetColor().r, 1.0f);
        EXPECT_EQ(text.GetColor().g, 0.0f);
        ASSERT_EQ(text.GetLineCount(), 2);
        EXPECT_EQ(text.GetLines()[1]->runs[1].startX, 200) << "the rate stands at its tab";

        for (int frame = 0; frame < 15; ++frame) {
          clock.Advance(20);
          platform.EndDraw(true);
        }
        EXPECT_STREQ(platform.GetData().mOverlayText->GetText().CStr(),
                     "Ostrivance Version 3.5.0.9<br>FPS<tab pos='200'>53.571430<br>");
      },
      &clock);
}

}  // namespace
