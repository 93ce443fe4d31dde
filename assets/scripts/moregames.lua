-- The more-games page: the game's own ways to play, one card each, filled
-- from "xsell/xsell.xml" by SetupXSell. A mode's medallion, or the link at
-- the end of its description, closes the page with the mode's name; "Back"
-- closes it with "back". The windows SetupXSell centres (the medallions,
-- the logos and the site button) are given here by their centre.
local kDescriptionFont = { "fonts/default.mvec", 22, Color(27, 27, 42) }
local kCentreFont = { "fonts/default.mvec", 20, Color(255, 241, 184) }
local kModes = { "journey", "zen", "tutorials" }

local function ModeCard(n, mode)
  local top = 122 + 135 * (n - 1)
  return Group{
    Button{ name = "xsellbutton" .. n, x = 120, y = top + 58, w = 104, h = 104,
            graphics = { "xsell/mode-" .. mode .. "-up", "xsell/mode-" .. mode .. "-down",
                         "xsell/mode-" .. mode .. "-over" },
            command = function() CloseWindow(mode) end },
    Text{ name = "descrip" .. n, font = kDescriptionFont, flags = kHAlignLeft + kVAlignCenter,
          x = 200, y = top + 8, w = 540, h = 99 },
  }
end

local page = {
  x = 0, y = 0, w = 800, h = 600,
  Bitmap{ name = "moreGamesBackground", image = "backgrounds/moregames", x = 0, y = 0 },
  Text{ name = "moreGamesHeading", label = "MoreGamesHeading", font = kHeadingFont, x = 150, y = 12, w = 500, h = 52 },
  Text{ name = "centertext1", font = kCentreFont, x = 150, y = 64, w = 500, h = 24 },
  Text{ name = "centertext2", font = kCentreFont, x = 150, y = 88, w = 500, h = 24 },
  Bitmap{ name = "velmartislogo", image = "xsell/velmartislogo", x = 90, y = 556 },
  Bitmap{ name = "sitelogo", image = "xsell/sitelogo", x = 710, y = 556 },
  Button{ name = "backButton", label = "MoreGamesBack", x = 290, y = 528, w = 220, h = 56,
          command = function() CloseWindow("back") end },
  Button{ name = "gamesite", label = "MoreGamesSite", x = 600, y = 556, w = 150, h = 56,
          command = function() LaunchGameLink(0) end },
}
for n, mode in ipairs(kModes) do
  table.insert(page, ModeCard(n, mode))
end
MakeDialog{ XSellWindow(page) }
SetupXSell()
