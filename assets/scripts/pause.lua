-- The pause dialog, opened with DoModal by the play screen's "pauseButton":
-- it stops the game clocks while it shows and names the paused level.
-- "returnGame" (or Escape, through the pause window) resumes the game and
-- closes with "continue"; "mapButton" closes with "map", and the play
-- screen then leaves the level as its "quitGame" does.
PauseGame()
MakeDialog{
  Bitmap{ name = "pauseBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  Text{ name = "pauseHeading", label = "PauseHeading", font = kDialogHeadingFont, x = 144, y = 186, w = 512, h = 70 },
  Text{ name = "LevelText", label = "#", font = kBadgeFont, x = 144, y = 252, w = 512, h = 50 },
  Button{ name = "returnGame", label = "PauseContinue", x = 170, y = 318, w = 220, h = 56,
          command = function()
            ResumeGame()
            CloseWindow("continue")
          end },
  Button{ name = "mapButton", label = "PauseBackToMap", x = 410, y = 318, w = 220, h = 56,
          command = function() CloseWindow("map") end },
  PauseWindow{ name = "pauseWindow", x = 144, y = 172, w = 0, h = 0 },
}
SetCurrentLevelForPause(gPlayLevel.level, gPlayLevel.world)
