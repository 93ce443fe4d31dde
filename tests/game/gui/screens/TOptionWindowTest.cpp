// The options dialog: its check boxes and sliders set from the display and
// the sound factory, and the sliders' changes turned into volumes.
#include "game/gui/screens/TOptionWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "game/gui/main/TGameApp.h"
#include "game/gui/screens/TSlider.h"
#include "game/gui/sound/TSoundFactory.h"
#include "tests/game/gui/screens/ScreenDialogKit.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TButton.h"

namespace GUI {
namespace {

class OptionWindowTest : public testing::Test {
 protected:
  OptionWindowTest() {
    options = rig.Add(TOptionWindow::Create(), "optionsWindow");
    options->SetSize(400, 400);
    fullScreen = AddCheckBox("fullscreen_checkbox");
    mute = AddCheckBox("muteallsound_checkbox");
    effects = AddSlider("sfxlevelslider");
    music = AddSlider("musiclevelslider");
    TGameApp::Instance().SetSoundFactory(&sound);
    sound.SetSoundEnabled(true);
    sound.SetEffectsVolume(250);
    sound.SetMusicVolume(750);
  }

  TButton* AddCheckBox(const char* name) { return rig.Add(std::make_unique<TButton>(TButton::kCheck), name, options); }

  TSlider* AddSlider(const char* name) {
    std::unique_ptr<TWindow> owned = std::make_unique<TSlider>();
    auto* slider = static_cast<TSlider*>(owned.get());
    options->AddChild(owned, false);
    slider->SetSize(10, 200);
    TSliderTable table;
    table.name = name;
    slider->Configure(table);
    return slider;
  }

  ~OptionWindowTest() override { TGameApp::Instance().SetSoundFactory(nullptr); }

  ScreenDialogKit rig;
  // Not the game's own: a game started later by this process makes that one.
  TSoundFactory sound;
  TWindow* options = nullptr;
  TButton* fullScreen = nullptr;
  TButton* mute = nullptr;
  TSlider* effects = nullptr;
  TSlider* music = nullptr;
};

TEST_F(OptionWindowTest, PostCreateShowsTheDisplayModeTheSoundSwitchAndTheVolumes) {
  struct State {
    bool fullScreen;
    bool soundOn;
  };
  for (const State& state : {State{true, true}, State{false, false}}) {
    rig.platform.fullScreen = state.fullScreen;
    sound.SetSoundEnabled(state.soundOn);
    options->PostCreate();
    EXPECT_EQ(fullScreen->IsChecked(), state.fullScreen);
    EXPECT_EQ(mute->IsChecked(), !state.soundOn);
    EXPECT_FLOAT_EQ(effects->GetValue(), 0.25f);
    EXPECT_FLOAT_EQ(music->GetValue(), 0.75f);
  }
  EXPECT_EQ(sound.GetEffectsVolume(), 250);
  EXPECT_EQ(sound.GetMusicVolume(), 750);
}

TEST_F(OptionWindowTest, SliderChangesSetTheVolumeInThousandthsTruncated) {
  struct Change {
    bool effectsSlider;
    float value;
    int32_t effectsVolume;
    int32_t musicVolume;
  };
  for (const Change& c : {Change{true, 0.5f, 500, 750},
                          Change{true, 0.9999f, 999, 750},
                          Change{false, 0.0f, 250, 0},
                          Change{false, 1.0f, 250, 1000}}) {
    sound.SetEffectsVolume(250);
    sound.SetMusicVolume(750);
    (c.effectsSlider ? effects : music)->SetValue(c.value, false);
    EXPECT_EQ(sound.GetEffectsVolume(), c.effectsVolume);
    EXPECT_EQ(sound.GetMusicVolume(), c.musicVolume);
  }
}

TEST_F(OptionWindowTest, WithoutASoundFactoryTheSlidersSetNothing) {
  TGameApp::Instance().SetSoundFactory(nullptr);
  options->PostCreate();
  EXPECT_FLOAT_EQ(effects->GetValue(), 0.0f);
  TMessage moved(kSliderChanged, "sfxlevelslider", nullptr);
  EXPECT_FALSE(options->HandleMessage(moved));
}

TEST_F(OptionWindowTest, OtherMessagesGoOnToTheScript) {
  TMessage press(kMessageButtonPress, "fullscreen_checkbox", nullptr);
  EXPECT_FALSE(options->HandleMessage(press));
  TMessage unknownSlider(kSliderChanged, "gammaslider", nullptr);
  EXPECT_FALSE(options->HandleMessage(unknownSlider));
  TMessage dragEnded(kSliderDragEnded, "sfxlevelslider", nullptr);
  EXPECT_FALSE(options->HandleMessage(dragEnded));
}

}  // namespace
}  // namespace GUI
