-- Reached through "DoModal('scripts/lose.lua')", which the tower view runs
-- 2 seconds after a Journey level ran out of time or moves: over the play
-- screen, "tryAgainButton" plays the level again and "leaveButton" leaves
-- it for the screen it was chosen on, and is named after it. Either closes
-- this dialog first, so that the play window's way out finds the play
-- screen's dialog on top.
local kLeaveLabel = LeaveLabel("LoseLeave")
MakeDialog{
  Bitmap{ name = "loseBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  Text{ name = "loseHeading", label = "LoseHeading", font = kDialogHeadingFont, x = 144, y = 196, w = 512, h = 90 },
  Button{ name = "tryAgainButton", label = "LoseTryAgain", x = 170, y = 318, w = 220, h = 56,
          command = function()
            PopModal()
            ResetGame()
          end },
  Button{ name = "leaveButton", label = kLeaveLabel, x = 410, y = 318, w = 220, h = 56,
          command = function()
            PopModal()
            QuitFromGame()
          end },
}
