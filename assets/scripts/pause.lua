-- The pause dialog, opened with DoModal by the play screen's "pauseButton":
-- it stops the game clocks while it shows and names the paused level.
-- "returnGame" (or Escape, through the pause window) resumes the game and
-- closes with "continue"; "mapButton" closes with "map", and the play
-- screen then leaves the level as its "quitGame" does.
PauseGame()
-- The way out is named after the screen the level is left for.
local kLeaveLabel = LeaveLabel("PauseBackToMap")
MakeDialog{
  -- The pause window is the panel itself: it holds the focus the panel's
  -- Escape needs, and the panel's widgets within it.
  PauseWindow{
    name = "pauseWindow", x = 144, y = 172, w = 512, h = 256,
    Bitmap{ name = "pauseBackground", image = "backgrounds/longdialog", x = 0, y = 0 },
    Text{ name = "pauseHeading", label = "PauseHeading", font = kDialogHeadingFont, x = 0, y = 14, w = 512, h = 70 },
    Text{ name = "LevelText", label = "#", font = kBadgeFont, x = 0, y = 80, w = 512, h = 50 },
    Button{ name = "returnGame", label = "PauseContinue", x = 26, y = 146, w = 220, h = 56,
            command = function()
              ResumeGame()
              CloseWindow("continue")
            end },
    Button{ name = "mapButton", label = kLeaveLabel, x = 266, y = 146, w = 220, h = 56,
            command = function() CloseWindow("map") end },
  },
}
SetCurrentLevelForPause(gPlayLevel.level, gPlayLevel.world)
