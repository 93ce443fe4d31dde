-- The score table after a won level, reached through
-- "DoModal('scripts/collectable_table.lua')", which the play window runs
-- (and through scripts/collectable_table_zen.lua after a Zen level): the
-- screen behind it fades to black while the "CollectableTableWindow" shows
-- the level's rows one after the other. A click on the table hurries it,
-- then shows the level's quote and then ends it. "continueButton" leaves
-- the won level through the play window; "quit" ends the program;
-- "backtomain" and "viewhighscores" leave the play screen for the main
-- loop, which goes on at the title menu, the way to the hiscores.
local zen = gPlayLevel.world == kZenWorld
OpenNextLevel()

local kRowFont = { "fonts/palabi.mvec", 28, Color(27, 27, 42) }
local kTotalFont = { "fonts/palabi.mvec", 34, Color(27, 27, 42) }
local kRowLeft, kRowWidth, kRowHeight = 184, 432, 36
-- A blank's width in the rows' font.
local kRowBlank = 9
local kRightAligned = kHAlignRight + kVAlignCenter
local kLeftAligned = kHAlignLeft + kVAlignCenter

-- The table goes and the play window under it leaves the won level as it
-- leaves any level: its way out ends the metrics' timing of the level,
-- records a finished Journey after 10-5 and leads on to the map with the
-- next level open, the Zen menu, or the end of Zen or of the Journey.
local function Continue()
  PopModal()
  Restart()
end

-- Both the table and the play screen under it close; the main loop goes
-- on at the title menu.
local function LeaveForTitleMenu()
  PopModal()
  CloseWindow()
end

local function Hurry()
  if not SpeedUpEvents() then return end
  if not IsShowedEndLevelQuote() then
    ShowEndLevelQuote()
  elseif not IsFinishedEndLevelQuote() then
    FinishEndLevelQuote()
  end
end

-- A row: its value on the right, set by the table window, with its caption
-- on the left inside it, so that both show together. A value that ends in
-- a blank (the time, "2 m 5 s ") reaches past the right edge by the
-- overhang, so that its last letter lines up with the numbers.
local function Row(name, caption, y, font, overhang)
  return Text{ name = name, label = "#", font = font or kRowFont, flags = kRightAligned,
               x = kRowLeft, y = y, w = kRowWidth + (overhang or 0), h = kRowHeight,
               Text{ name = name .. "Caption", label = caption, font = font or kRowFont, flags = kLeftAligned,
                     x = 0, y = 0, w = kRowWidth, h = kRowHeight } }
end

local function Highlight(name, y)
  return Bitmap{ name = name, image = "sprites/table/row-highlight", x = kRowLeft - 16, y = y - 2 }
end

local area = {
  name = "tableArea", x = 0, y = 0, w = 800, h = 600,
  -- Beneath the rows, so that a click anywhere on the table reaches it.
  Button{ name = "hurryButton", graphics = {}, x = 144, y = 24, w = 512, h = 424, command = Hurry },
  Bitmap{ name = "tablePanel", image = "backgrounds/scoretable", x = 144, y = 24 },
  Highlight("PowerUpBonusHL", 224),
  Highlight("BlockerBonusHL", 304),
  Row("DestroyedPieces", "TableDestroyedPieces", 64),
  Row("MatchCombos", "TableMatchCombos", 104),
  Row("ElapsedTime", "TableElapsedTime", 144, kRowFont, kRowBlank),
  Row("LevelScore", "TableLevelScore", 184),
  Row("PowerUpBonus", "TablePowerUpBonus", 224),
  Row("BlockerBonus", "TableBlockerBonus", 304),
  Row("TotalScore", "TableTotalScore", 352, kTotalFont),
  Row("ExpertScore", "TableExpertScore", 400),
  Button{ name = "continueButton", label = "TableContinue", x = 290, y = 476, w = 220, h = 56, command = Continue },
  Button{ name = "quit", label = "TableQuit", x = 50, y = 536, w = 220, h = 56,
          command = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end },
  Button{ name = "viewhighscores", label = "TableHiscores", x = 290, y = 536, w = 220, h = 56,
          command = LeaveForTitleMenu },
  Button{ name = "backtomain", label = "TableBackToMain", x = 530, y = 536, w = 220, h = 56,
          command = LeaveForTitleMenu },
}
if not zen then
  table.insert(area, 5, Highlight("TimeBonusHL", 264))
  table.insert(area, Row("TimeBonus", "TableTimeBonus", 264))
end
-- The table window comes after the rows and buttons it shows.
table.insert(area, CollectableTableWindow{ name = "collectableTable", x = 144, y = 24, w = 512, h = 424 })

MakeDialog{
  Bitmap{ name = "blackFade", image = "backgrounds/black-1", scale = 12.5, x = 0, y = 0 },
  Window(area),
}
