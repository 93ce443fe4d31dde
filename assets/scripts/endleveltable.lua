-- The table between levels, opened with DoModal: the level just played,
-- the running total and a game tip, filled by the table window from the
-- level's result. Closes with "continue", or with "reset" to start the
-- game afresh ("Reset" is hidden on the host's portal).
MakeDialog{
  Bitmap{ name = "tableBackground", image = "backgrounds/longdialog", x = 144, y = 172 },
  Text{ name = "tableHeading", label = "TableHeading", font = kDialogHeadingFont, x = 144, y = 182, w = 512, h = 50 },
  Text{ name = "CurrentLevelLabel", label = "TableLevel", font = kBadgeFont, x = 184, y = 232, w = 200, h = 34 },
  Text{ name = "CurrentLevel", label = "#", font = kBadgeFont, x = 384, y = 232, w = 232, h = 34 },
  Text{ name = "TotalScoreLabel", label = "TableTotal", font = kBadgeFont, x = 184, y = 266, w = 200, h = 34 },
  Text{ name = "TotalScore", label = "#", font = kBadgeFont, x = 384, y = 266, w = 232, h = 34 },
  Text{ name = "GameTips", label = "#", font = { "fonts/default.mvec", 18, Color(27, 27, 42) },
        x = 184, y = 302, w = 432, h = 62 },
  EndLevelTableWindow{ name = "endLevelTable", x = 0, y = 0, w = 1, h = 1 },
  Button{ name = "Reset", label = "TableReset", x = 170, y = 366, w = 220, h = 56,
          command = function() CloseWindow("reset") end },
  Button{ name = "continueButton", label = "TableContinue", x = 410, y = 366, w = 220, h = 56,
          command = function() CloseWindow("continue") end },
}
