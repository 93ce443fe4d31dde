-- The pre-game tutorial of level 1-5, opened by the play window with
-- "DoModal('tutorials/pregame0105.lua')" on its first frame while the game
-- clocks stand still: a reminder of how the rings turn that lets the game
-- run again as it closes.
-- Dark on the light panel, and small enough for the whole text.
local kPregameTextFont = { "fonts/default.mvec", 20, Color(27, 27, 42) }

MakeDialog{
  Bitmap{ name = "pregameBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  Text{ name = "pregameHeading", label = "Pregame0105Heading", font = kDialogHeadingFont,
        x = 144, y = 190, w = 512, h = 60 },
  Text{ name = "pregameText", label = "Pregame0105Text", font = kPregameTextFont, x = 184, y = 244, w = 432, h = 72 },
  Button{ name = "pregameContinueButton", label = "PregameContinue", x = 290, y = 318, w = 220, h = 56,
          command = function()
            PopModal()
            ResumeGame()
          end },
}
