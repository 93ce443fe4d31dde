-- The title menu: the game's name over the tower, the way into the game,
-- the page of the ways to play and the way out of it. Closes with "play",
-- "moregames" or "options"; "Quit" ends the program.
-- The menu's music starts, or plays on when it plays already.
PlayMainmenuBackground()
MakeDialog{
  Bitmap{ name = "titleBackground", image = "backgrounds/title", x = 0, y = 0 },
  Text{ name = "titleText", label = "TitleMenuHeading", font = kTitleFont, x = 0, y = 30, w = 800, h = 130 },
  Button{ name = "playButton", label = "TitleMenuPlay", x = 520, y = 220, w = 220, h = 56,
          command = function() CloseWindow("play") end },
  Button{ name = "MoreGames", label = "TitleMenuMoreGames", x = 520, y = 312, w = 220, h = 56,
          command = function() CloseWindow("moregames") end },
  Button{ name = "optionsButton", label = "TitleMenuOptions", x = 520, y = 496, w = 220, h = 56,
          command = function() CloseWindow("options") end },
  Button{ name = "quitButton", label = "TitleMenuQuit", x = 520, y = 404, w = 220, h = 56,
          command = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end },
}
