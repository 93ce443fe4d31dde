-- The table between levels, built by scripts/backtometamap.lua in the
-- dialog over the play screen: the level just played, its total and a game
-- tip, filled by the table window from the level's result. "Continue"
-- closes it and the play screen under it becomes the level map; "Reset"
-- (hidden on the host's portal) first starts the Journey afresh, with only
-- its first level open.
local function LeaveForMap()
  PopModal()
  SwapToModal("scripts/levelmap.lua")
end

-- It shows on black, as the score table before it ends, over the play
-- screen and what the won level left on it.
MakeDialog{
  Bitmap{ name = "tableShade", image = "backgrounds/black-1", scale = 12.5, x = 0, y = 0 },
  Bitmap{ name = "tableBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  Text{ name = "tableHeading", label = "TableHeading", font = kDialogHeadingFont, x = 144, y = 182, w = 512, h = 50 },
  Text{ name = "CurrentLevelLabel", label = "TableLevel", font = kBadgeFont, x = 184, y = 232, w = 200, h = 34 },
  Text{ name = "CurrentLevel", label = "#", font = kBadgeFont, x = 384, y = 232, w = 232, h = 34 },
  Text{ name = "TotalScoreLabel", label = "TableTotal", font = kBadgeFont, x = 184, y = 266, w = 200, h = 34 },
  Text{ name = "TotalScore", label = "#", font = kBadgeFont, x = 384, y = 266, w = 232, h = 34 },
  Text{ name = "GameTips", label = "#", font = { "fonts/default.mvec", 18, Color(27, 27, 42) },
        x = 184, y = 298, w = 432, h = 58 },
  EndLevelTableWindow{ name = "endLevelTable", x = 0, y = 0, w = 1, h = 1 },
  Button{ name = "Reset", label = "TableReset", x = 170, y = 358, w = 220, h = 56,
          command = function()
            gJourney.openWorld, gJourney.openLevel, gJourney.shownWorld = 1, 1, 1
            LeaveForMap()
          end },
  Button{ name = "continueButton", label = "TableContinue", x = 410, y = 358, w = 220, h = 56,
          command = LeaveForMap },
}
