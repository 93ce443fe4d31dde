-- Reached through "DoModal('scripts/endgame.lua')", which the play window
-- runs after level 10-5, the last of the Journey: the Journey's end over
-- the play screen. Its button closes this dialog and the one of the map
-- and the play screen under it, which leads back to the title menu.
MakeDialog{
  Bitmap{ name = "journeyEndBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  Text{ name = "journeyEndHeading", label = "JourneyEndHeading", font = kDialogHeadingFont,
        x = 144, y = 196, w = 512, h = 90 },
  Button{ name = "continueButton", label = "EndContinue", x = 290, y = 318, w = 220, h = 56,
          command = function()
            PopModal()
            CloseWindow()
          end },
}
