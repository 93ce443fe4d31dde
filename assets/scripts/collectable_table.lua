-- Reached through "DoModal('scripts/collectable_table.lua')", which the
-- tower view runs once a Journey level is won and recorded: the level's
-- result over the play screen. Its button closes this dialog and leaves the
-- level the way a won level leaves, to the map with the next level open.
MakeDialog{
  Bitmap{ name = "resultBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  Text{ name = "resultHeading", label = "ResultHeading", font = kDialogHeadingFont, x = 144, y = 196, w = 512, h = 90 },
  Button{ name = "continueButton", label = "EndContinue", x = 290, y = 318, w = 220, h = 56,
          command = function()
            PopModal()
            Restart()
          end },
}
