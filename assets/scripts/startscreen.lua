-- The start screen, opened with DoModal by PlayLevel (scripts/mainloop.lua)
-- before a level's play screen: the level's pages of pictures, turned by a
-- click, or its text on a panel over the play screen's backdrop. The pages
-- cover the panel. "nextButton", or a click past the last picture, closes
-- it. A level without a start screen closes it at once.
local kStartTextFont = { "fonts/palabi.mvec", 30, Color(27, 27, 42) }

MakeDialog{
  Bitmap{ name = "startBackdrop", image = "backgrounds/play", x = 0, y = 0 },
  Bitmap{ name = "startTextPanel", image = "backgrounds/longdialog", x = 144, y = 172 },
  Bitmap{ name = "background", x = 0, y = 0, w = 800, h = 600 },
  StartScreenWindow{ name = "startScreen", x = 0, y = 0, w = 800, h = 600 },
  Text{ name = "ContentText", label = "#", font = kStartTextFont, x = 168, y = 184, w = 464, h = 232 },
  Button{ name = "nextButton", label = "StartScreenNext", x = 560, y = 530, w = 220, h = 56,
          command = function() CloseWindow("next") end },
}
SetCurrentLevelToStartScreen(gPlayLevel.world, gPlayLevel.level)
if GetLabel("ContentText") == "" and not ImageLoaded("background") then CloseWindow("none") end
