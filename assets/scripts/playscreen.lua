-- The play screen, built by PlayLevel (scripts/mainloop.lua) through
-- SwapToModal in the dialog the level map was in, and built again there by
-- scripts/resetgame.lua: the play window over its background, playing the
-- level of gPlayLevel, with the buttons the play window looks for beside
-- it. "pauseButton" pauses the game while the pause dialog shows and leaves
-- the level when the player asks for the map there; "skipButton" (shown on
-- tutorial levels) wins the level at once; "quitGame" leaves it.
local function PauseForDialog()
  PauseGame()
  local choice = DoModal("scripts/pause.lua")
  ResumeGame()
  if choice == "map" then QuitFromGame() end
end

MakeDialog{
  Bitmap{ name = "playBackground", image = "backgrounds/play", x = 0, y = 0 },
  ArcadeWindow{ name = "playWindow", x = 0, y = 0, w = 800, h = 600 },
  Button{ name = "pauseButton", label = "PlayPause", x = 580, y = 8, w = 220, h = 56,
          command = PauseForDialog },
  Button{ name = "skipButton", label = "PlaySkip", x = 0, y = 8, w = 220, h = 56,
          command = function() GameFinish() end },
  Button{ name = "quitGame", label = "PlayQuit", x = 580, y = 536, w = 220, h = 56,
          command = function() QuitFromGame() end },
}
SetLevel(gPlayLevel.world, gPlayLevel.level)
