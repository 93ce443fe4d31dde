-- The pause dialog, opened with DoModal by the play screen's "pauseButton"
-- while the game clocks stand still: closes with "continue" or, to leave
-- the level for the map, "map".
MakeDialog{
  Bitmap{ name = "pauseBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  Text{ name = "pauseHeading", label = "PauseHeading", font = kDialogHeadingFont, x = 144, y = 196, w = 512, h = 90 },
  Button{ name = "continueButton", label = "PauseContinue", x = 170, y = 318, w = 220, h = 56,
          command = function() CloseWindow("continue") end },
  Button{ name = "mapButton", label = "PauseBackToMap", x = 410, y = 318, w = 220, h = 56,
          command = function() CloseWindow("map") end },
}
