-- The options dialog: full screen and the sound switch on two check boxes,
-- which take effect and are kept at once, and the effects and music volumes
-- on two sliders, heard at once and kept when the dialog closes with
-- "back". "Credits" opens the credits over it.
local kCheckBoxGraphics = { "buttons/check-off", "buttons/check-on", "buttons/check-off-over", "buttons/check-on-over" }
local kSliderPictures = {
  railtop = "slider/rail-top", railmid = "slider/rail-mid", railbot = "slider/rail-bot",
  sliderimage = "slider/knob", sliderrollimage = "slider/knob-over", yoffset = 0, scale = 1,
}

local function VolumeSlider(name, y)
  local t = { name = name, x = 230, y = y, w = 240, h = 24 }
  for key, value in pairs(kSliderPictures) do t[key] = value end
  return Slider(t)
end

MakeDialog{
  Bitmap{ name = "optionsBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  OptionWindow{ name = "optionsWindow", x = 144, y = 172, w = 512, h = 256,
    Text{ name = "optionsHeading", label = "OptionsHeading", font = kDialogHeadingFont, x = 0, y = 10, w = 512, h = 56 },
    Button{ name = "fullscreen_checkbox", type = kToggle, graphics = kCheckBoxGraphics, x = 40, y = 70, w = 40, h = 40,
            command = function() ToggleFullScreen() end },
    Text{ name = "fullscreenLabel", label = "OptionsFullScreen", font = kBadgeFont, flags = kVAlignCenter,
          x = 86, y = 70, w = 160, h = 40 },
    Button{ name = "muteallsound_checkbox", type = kToggle, graphics = kCheckBoxGraphics, x = 270, y = 70, w = 40, h = 40,
            command = function() ToggleMuteAllSound() end },
    Text{ name = "muteLabel", label = "OptionsMuteAll", font = kBadgeFont, flags = kVAlignCenter,
          x = 316, y = 70, w = 160, h = 40 },
    Text{ name = "effectsLabel", label = "OptionsEffects", font = kBadgeFont, flags = kVAlignCenter,
          x = 40, y = 118, w = 180, h = 30 },
    Text{ name = "musicLabel", label = "OptionsMusic", font = kBadgeFont, flags = kVAlignCenter,
          x = 40, y = 154, w = 180, h = 30 },
    VolumeSlider("sfxlevelslider", 121),
    VolumeSlider("musiclevelslider", 157),
  },
  Button{ name = "creditsButton", label = "OptionsCredits", x = 170, y = 358, w = 220, h = 56,
          command = function() DoModal("scripts/credits.lua") end },
  Button{ name = "doneButton", label = "OptionsDone", x = 410, y = 358, w = 220, h = 56,
          command = function()
            SaveVolumes()
            CloseWindow("back")
          end },
}
