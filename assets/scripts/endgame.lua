-- Reached through "DoModal('scripts/endgame.lua')", which the play window
-- runs after level 10-5, the last of the Journey: the game-end screen. The
-- dialog opened for this script goes at once and the play screen under it
-- becomes the game-end screen: the closing level (world 99, played with its
-- tutorial settings over the dawn of the game-end scenes) with the
-- "GameEndWindow" over it, whose slideshow takes the screen 2500 ms later.
-- "skipButton" ends the closing level; the play window then leaves it
-- through scripts/backfromendgame.lua, which leads back to the title menu.
-- The closing level is played in tutorial mode, so that it keeps its
-- tutorial settings however often the Journey ends; leaving it ends the
-- mode.
kGameEndWorld = 99

PopModal()
ClearModalChildren()
SetTutorialMode(true)
gPlayLevel = { world = kGameEndWorld, level = 1 }
MakeDialog{
  ArcadeWindow{ name = "playWindow", x = 0, y = 0, w = 800, h = 600 },
  GameEndWindow{ name = "gameEnd", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "screen", x = 0, y = 0 },
  },
  Button{ name = "skipButton", label = "EndContinue", x = 290, y = 536, w = 220, h = 56,
          command = function() GameFinish() end },
}
SetLevel(gPlayLevel.world, gPlayLevel.level)
