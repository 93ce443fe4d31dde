-- The hiscore screen, reached from the title menu: the "HiscoreWindow" shows
-- the scores kept on this computer for the game mode named at the top, and
-- on "View online" the tables of the hiscore server, ten rows at a time. The
-- window takes the commands of the buttons named after them (the arrows,
-- "view", "viewlocal", the scroll arrows, "submitscores", "submitmedals")
-- and shows and hides the children by name as its view changes. The left
-- panel holds the rows; the large right panel shows with the local scores,
-- the small one while the online tables or their messages show. "Back"
-- closes the screen with "back".
local kRowFont = { "fonts/default.mvec", 22, Color(255, 241, 184) }
local kNoteFont = { "fonts/default.mvec", 20, Color(255, 241, 184) }
local kPanelHeadingFont = { "fonts/palabi.mvec", 30, Color(242, 193, 78) }
local kLeft = kHAlignLeft + kVAlignCenter
local kRight = kHAlignRight + kVAlignCenter
local kNote = kHAlignCenter + kVAlignTop
local kRowTop, kRowHeight = 82, 31

local function Arrow(name, direction, x, y)
  return Button{ name = name, x = x, y = y, w = 40, h = 40,
                 graphics = { "buttons/arrow-" .. direction .. "-up", "buttons/arrow-" .. direction .. "-down",
                              "buttons/arrow-" .. direction .. "-over" } }
end

local function PanelText(name, label, font, flags, x, y, w, h)
  return Text{ name = name, label = label, font = font, flags = flags, x = x, y = y, w = w, h = h }
end

-- Row n: its place, the account mark, the name and the score.
local function Row(n)
  local y = kRowTop + kRowHeight * (n - 1)
  return Group{
    PanelText(tostring(n), "#", kRowFont, kRight, 14, y, 44, kRowHeight),
    Bitmap{ name = "p1_" .. n, image = "hiscore/account", x = 68, y = y + 6 },
    PanelText("name" .. n, "#", kRowFont, kLeft, 96, y, 200, kRowHeight),
    PanelText("score" .. n, "#", kRowFont, kRight, 296, y, 124, kRowHeight),
  }
end

local leftPanel = {
  name = "leftpanel", image = "hiscore/panel-left", x = 30, y = 86,
  PanelText("local", "HiscoreLocal", kPanelHeadingFont, kCentred, 20, 6, 400, 36),
  PanelText("topplayers", "HiscoreTopPlayers", kPanelHeadingFont, kCentred, 20, 6, 400, 36),
  PanelText("global", "HiscoreGlobal", kPanelHeadingFont, kCentred, 20, 6, 400, 36),
  PanelText("category", "#", kRowFont, kCentred, 70, 40, 300, 40),
  Arrow("categoryleft", "left", 24, 40),
  Arrow("categoryright", "right", 376, 40),
  PanelText("eligibleasterisk", "HiscoreAsterisk", kRowFont, kRight, 14, 398, 24, 36),
  PanelText("eligible", "HiscoreEligible", kNoteFont, kLeft, 44, 398, 296, 36),
  Arrow("scrollup", "up", 346, 396),
  Arrow("scrolldown", "down", 388, 396),
}
for n = 1, 10 do table.insert(leftPanel, Row(n)) end

MakeDialog{
  Bitmap{ name = "hiscoreBackground", image = "backgrounds/hiscores", x = 0, y = 0 },
  HiscoreWindow{
    name = "hiscoreScreen", x = 0, y = 0, w = 800, h = 600,
    Text{ name = "gamemode", label = "#", font = kHeadingFont, x = 150, y = 14, w = 500, h = 56 },
    Arrow("gamemodeleft", "left", 100, 22),
    Arrow("gamemoderight", "right", 660, 22),
    Bitmap(leftPanel),
    Bitmap{ name = "rightpanel", image = "hiscore/panel-right", x = 500, y = 86,
      PanelText("info", "HiscoreInfo", kNoteFont, kNote, 20, 20, 220, 150),
      Button{ name = "view", label = "HiscoreView", x = 20, y = 180, w = 220, h = 56 },
      Button{ name = "submitscores", label = "HiscoreSubmit", x = 20, y = 242, w = 220, h = 56 },
      Button{ name = "submitmedals", label = "HiscoreSubmitMedals", x = 20, y = 304, w = 220, h = 56 },
      Button{ name = "moreinfo", label = "HiscorePrivacy", x = 20, y = 366, w = 220, h = 56,
              command = function() ShowPrivacyWeb() end },
    },
    Bitmap{ name = "rightpanelsmall", image = "hiscore/panel-rightsmall", x = 500, y = 86,
      PanelText("server", "HiscoreServer", kNoteFont, kNote, 20, 20, 220, 170),
      PanelText("error", "#", kNoteFont, kNote, 20, 20, 220, 170),
      PanelText("congratulations", "HiscoreCongratulations", kNoteFont, kNote, 20, 20, 220, 110),
      PanelText("congratulationsmedal", "HiscoreCongratulationsMedal", kNoteFont, kNote, 20, 20, 220, 110),
      PanelText("dnq", "HiscoreDnq", kNoteFont, kNote, 20, 20, 220, 110),
      PanelText("yourrankglobalinfo", "HiscoreRankInfo", kNoteFont, kNote, 20, 136, 220, 60),
      PanelText("yourrank", "#", kRowFont, kNote, 20, 136, 220, 60),
      Button{ name = "viewlocal", label = "HiscoreViewLocal", x = 20, y = 226, w = 220, h = 56 },
    },
    Button{ name = "backButton", label = "HiscoreBack", x = 540, y = 536, w = 220, h = 56,
            command = function() CloseWindow("back") end },
  },
}
