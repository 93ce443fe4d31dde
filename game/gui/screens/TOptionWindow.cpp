#include "game/gui/screens/TOptionWindow.h"

#include "game/gui/effects/TFadeInTask.h"
#include "game/gui/screens/GameWindowTasks.h"
#include "game/gui/screens/TSlider.h"
#include "game/gui/main/TGameApp.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "platform/TPlatform.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TButton.h"

namespace GUI {

namespace {

constexpr float kOptionsFadeSpeed = 1.0f;
constexpr float kVolumeScale = 1000.0f;

}  // namespace

TClassId TOptionWindow::ClassId() {
  static const char id = 0;
  return &id;
}

std::unique_ptr<TWindow> TOptionWindow::Create() { return std::make_unique<TOptionWindow>(); }

bool TOptionWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TOptionWindow::PostCreate() {
  TFadeInTask::AddToTopModal(*this, kOptionsFadeSpeed);
  TPlatform* platform = TPlatform::Instance();
  if (TButton* box = TButton::Cast(FindInDialog(*this, "fullscreen_checkbox")); box && platform) {
    box->SetChecked(platform->IsFullScreen());
  }
  GamePlay::ISoundFactoryView* factory = TGameApp::Instance().GetSoundFactory();
  if (!factory) return;
  GamePlay::ISoundFactoryView& sound = *factory;
  if (TButton* box = TButton::Cast(FindInDialog(*this, "muteallsound_checkbox"))) {
    box->SetChecked(!sound.IsSoundEnabled());
  }
  if (TSlider* slider = TSlider::Cast(FindInDialog(*this, "sfxlevelslider"))) {
    slider->SetValue(static_cast<float>(sound.GetEffectsVolume()) / kVolumeScale, true);
  }
  if (TSlider* slider = TSlider::Cast(FindInDialog(*this, "musiclevelslider"))) {
    slider->SetValue(static_cast<float>(sound.GetMusicVolume()) / kVolumeScale, true);
  }
}

bool TOptionWindow::HandleMessage(TMessage& message) {
  if (message.GetType() != kSliderChanged) return false;
  const bool effects = message.GetName() == "sfxlevelslider";
  if (!effects && message.GetName() != "musiclevelslider") return false;
  TSlider* slider = TSlider::Cast(FindInDialog(*this, effects ? "sfxlevelslider" : "musiclevelslider"));
  GamePlay::ISoundFactoryView* sound = TGameApp::Instance().GetSoundFactory();
  if (!slider || !sound) return false;
  const auto volume = static_cast<int32_t>(slider->GetValue() * kVolumeScale);
  if (effects) {
    sound->SetEffectsVolume(volume);
  } else {
    sound->SetMusicVolume(volume);
  }
  return true;
}

}  // namespace GUI
