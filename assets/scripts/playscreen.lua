-- The play screen, built by PlayLevel (scripts/mainloop.lua) through
-- SwapToModal in the dialog the level map was in, and built again there by
-- scripts/resetgame.lua: the play window over its background, playing the
-- level of gPlayLevel, with the buttons the play window looks for beside
-- it. "pauseButton" opens the pause dialog, which stops the game until it
-- closes; when the player asks for the map there, the level is left as
-- "quitGame" leaves it. "skipButton" (shown on tutorial levels) wins the
-- level at once.
local function LeaveLevel()
  QuitFromGame()
end

local function PauseForDialog()
  if DoModal("scripts/pause.lua") == "map" then
    ResumeGame()
    LeaveLevel()
  end
end

MakeDialog{
  Bitmap{ name = "playBackground", image = "backgrounds/play", x = 0, y = 0 },
  ArcadeWindow{ name = "playWindow", x = 0, y = 0, w = 800, h = 600 },
  Button{ name = "pauseButton", label = "PlayPause", x = 580, y = 8, w = 220, h = 56,
          command = PauseForDialog },
  Button{ name = "skipButton", label = "PlaySkip", x = 0, y = 8, w = 220, h = 56,
          command = function() GameFinish() end },
  Button{ name = "quitGame", label = "PlayQuit", x = 580, y = 536, w = 220, h = 56,
          command = LeaveLevel },
}
SetLevel(gPlayLevel.world, gPlayLevel.level)
