// The options dialog, reached from the title menu and played through the
// game driver over the built data folder: its widgets start from the sound
// factory, a drag of the effects knob is heard at once, the sound switch
// takes effect on its click, and "Done" keeps the volumes and leads back to
// the title menu. With QUORVANE_FRAME_CAPTURE naming a folder, the frame of
// the dialog while the knob is dragged is written there as PNG.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/TAppPlatform.h"
#include "game/gui/screens/TSlider.h"
#include "game/gui/sound/TSoundFactory.h"
#include "system/gfx/PicturePng.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"

namespace {

void CaptureOptionsFrame(GameDriver& driver, const char* name) {
  const char* folder = std::getenv("QUORVANE_FRAME_CAPTURE");
  if (folder) sys::gfx::WritePicturePng(driver.ShownPicture(), std::string(folder) + "/" + name);
}

class OptionsScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(OptionsScenario, TheDialogSetsTheSoundLiveAndLeadsBackToTheTitleMenu) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    GUI::TSoundFactory& sound = GUI::TSoundFactory::Instance();
    sound.SetEffectsVolume(1000);
    driver.WaitForWindow("optionsButton");
    driver.Click("optionsButton");
    auto* effects = GUI::TSlider::Cast(driver.WaitForWindow("sfxlevelslider"));
    auto* music = GUI::TSlider::Cast(driver.FindWindow("musiclevelslider"));
    if (!driver.Check(effects && music, "the options dialog shows its two sliders")) return;
    driver.Check(effects->IsHorizontal() && effects->GetValue() == 1.0f, "the effects slider stands at full");
    driver.Check(music->GetValue() == static_cast<float>(sound.GetMusicVolume()) / 1000.0f,
                 "the music slider shows the music volume");
    auto* mute = TButton::Cast(driver.FindWindow("muteallsound_checkbox"));
    driver.Check(mute && !mute->IsChecked(), "with sound on, the mute box starts empty");
    const TRect knob = effects->GetKnob()->GetScreenRect();
    const TRect rail = effects->GetScreenRect();
    const int32_t knobY = (knob.top + knob.bottom) / 2;
    driver.Drag((knob.left + knob.right) / 2, knobY, rail.left + rail.Width() / 2, knobY);
    CaptureOptionsFrame(driver, "options-drag.png");
    const int32_t dragged = sound.GetEffectsVolume();
    driver.Check(dragged > 400 && dragged < 600, "the drag halves the effects volume: " + std::to_string(dragged));
    driver.Click("muteallsound_checkbox");
    driver.Pass();
    driver.Check(!sound.IsSoundEnabled() && mute && mute->IsChecked(), "the mute box switches the sound off");
    driver.Click("muteallsound_checkbox");
    driver.Pass();
    driver.Check(sound.IsSoundEnabled(), "and on again");
    driver.Click("doneButton");
    driver.Check(driver.WaitForWindow("playButton") != nullptr, "Done leads back to the title menu");
    driver.Check(sound.GetEffectsVolume() == dragged, "the dragged volume stays");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

TEST_F(OptionsScenario, CreditsOpenFromTheOptionsWithTheVersionAndGoBackToThem) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.WaitForWindow("optionsButton");
    driver.Click("optionsButton");
    driver.WaitForWindow("creditsButton");
    driver.Click("creditsButton");
    TWindow* version = driver.WaitForWindow("VersionNumber");
    const std::string expected = driver.Platform()->GetVersionString().CStr();
    driver.Check(TextOf(version) == expected, "the credits show the version " + expected + ": " + TextOf(version));
    driver.Check(TextOf(driver.FindWindow("creditsFonts")).find("DejaVu") != std::string::npos,
                 "the credits name the fonts");
    driver.AdvanceTime(600);
    driver.Pass();
    CaptureOptionsFrame(driver, "credits.png");
    driver.Click("creditsBackButton");
    driver.Check(driver.WaitForWindow("doneButton") != nullptr, "Back returns to the options");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
