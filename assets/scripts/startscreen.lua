-- The start screen, opened with DoModal by PlayLevel (scripts/mainloop.lua)
-- before a level's play screen: the level's pages of pictures, turned by a
-- click, or its text, over the title picture. "nextButton", or a click past
-- the last picture, closes it. A level without a start screen closes it at
-- once.
MakeDialog{
  Bitmap{ name = "startBackdrop", image = "backgrounds/title", x = 0, y = 0 },
  Bitmap{ name = "background", x = 0, y = 0, w = 800, h = 600 },
  StartScreenWindow{ name = "startScreen", x = 0, y = 0, w = 800, h = 600 },
  Text{ name = "ContentText", label = "#", font = kHeadingFont, x = 100, y = 180, w = 600, h = 260 },
  Button{ name = "nextButton", label = "StartScreenNext", x = 560, y = 530, w = 220, h = 56,
          command = function() CloseWindow("next") end },
}
SetCurrentLevelToStartScreen(gPlayLevel.world, gPlayLevel.level)
if GetLabel("ContentText") == "" and not ImageLoaded("background") then CloseWindow("none") end
