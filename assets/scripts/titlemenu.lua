-- The title menu: the game's name over the tower, the greeting of the
-- player, the way into the game, into Zen, the page of the ways to play and
-- the way out of it. The menu window starts the menu's music, greets the
-- player and hides "More Games" without the page's file. Opened before the
-- pictures are loaded, it presses the hidden button at once: the menu closes
-- with "load" and the main loop shows the loading screen first. Otherwise it
-- closes with "play", "moregames", "options", "hiscores" or "help", or leads
-- into a Zen level in its place; "Quit" ends the program.
local kWelcomeFont = { "fonts/default.mvec", 24, Color(255, 241, 184) }

-- The menu stops redrawing the whole screen before the next screen takes it.
local function LeaveFor(choice)
  TurnOffDrawing()
  CloseWindow(choice)
end

MakeDialog{
  Bitmap{ name = "titleBackground", image = "backgrounds/title", x = 0, y = 0 },
  Button{ name = "hiddenCloseButton", x = 0, y = 0, w = 1, h = 1,
          command = function() CloseWindow("load") end },
  MainMenuWindow{
    name = "mainMenu", x = 0, y = 0, w = 800, h = 600,
    Text{ name = "titleText", label = "TitleMenuHeading", font = kTitleFont, x = 0, y = 30, w = 800, h = 130 },
    Text{ name = "welcome", label = "#", font = kWelcomeFont, x = 470, y = 148, w = 320, h = 36 },
    Button{ name = "playButton", label = "TitleMenuPlay", x = 520, y = 214, w = 220, h = 56,
            command = function() LeaveFor("play") end },
    Button{ name = "zenButton", label = "TitleMenuZen", x = 520, y = 282, w = 220, h = 56,
            command = function()
              TurnOffDrawing()
              PlayLevel(kZenWorld, OpenZenLevels())
            end },
    Button{ name = "MoreGames", label = "TitleMenuMoreGames", x = 520, y = 350, w = 220, h = 56,
            command = function() LeaveFor("moregames") end },
    Button{ name = "optionsButton", label = "TitleMenuOptions", x = 520, y = 418, w = 220, h = 56,
            command = function() LeaveFor("options") end },
    Button{ name = "helpButton", label = "TitleMenuHelp", x = 16, y = 8, w = 220, h = 56,
            command = function() LeaveFor("help") end },
    Button{ name = "quitButton", label = "TitleMenuQuit", x = 564, y = 542, w = 220, h = 56,
            command = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end },
    Button{ name = "viewhighscores", label = "TitleMenuHiscores", x = 16, y = 542, w = 220, h = 56,
            command = function() LeaveFor("hiscores") end },
  },
}
