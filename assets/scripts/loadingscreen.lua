-- The loading screen: the game's pictures load behind the title picture
-- while the percentage shows in the picture's panel. The loading window
-- closes the screen itself, through the hidden button, once every picture
-- is in.
MakeDialog{
  Bitmap{ name = "loadingBackground", image = "backgrounds/title", x = 0, y = 0 },
  Text{ name = "loadingText", label = "#" .. GetString("LoadingLabel", "00%"), font = kHeadingFont,
        x = 500, y = 280, w = 260, h = 120 },
  Button{ name = "hiddenCloseButton", x = 0, y = 0, w = 1, h = 1,
          command = function() CloseWindow("loaded") end },
  LoadingScreenWindow{ name = "loadingScreen", x = 0, y = 0, w = 800, h = 600 },
}
