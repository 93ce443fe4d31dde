-- The pre-game tutorial of level 1-5, opened by the play window with
-- "DoModal('tutorials/pregame0105.lua')" on its first frame while the game
-- clocks stand still: a reminder of how the rings turn that lets the game
-- run again as it closes.
MakeDialog{
  Bitmap{ name = "pregameBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  Text{ name = "pregameHeading", label = "Pregame0105Heading", font = kDialogHeadingFont,
        x = 144, y = 190, w = 512, h = 60 },
  Text{ name = "pregameText", label = "Pregame0105Text", x = 184, y = 250, w = 432, h = 64 },
  Button{ name = "pregameContinueButton", label = "PregameContinue", x = 290, y = 318, w = 220, h = 56,
          command = function()
            PopModal()
            ResumeGame()
          end },
}
