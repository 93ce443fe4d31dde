-- The Zen menu, put in place of the level map by its "zenButton" with
-- SwapToModal, and again in place of the play screen when a Zen level
-- before the last is left: one badge for each open Zen level, leading to
-- its play screen, and the way back to the map. The Zen menu window keeps
-- the menu animating and counts the time here as Zen time.

-- The badges, the line over them and the way back sit in the panel of the
-- backdrop, where the level map has its own.
local kZenMenuBadges = { { 522, 280 }, { 594, 280 }, { 666, 280 }, { 558, 356 }, { 630, 356 } }
local kZenMenuChooseFont = { "fonts/palabi.mvec", 30, Color(255, 241, 184) }

local function ZenMenuBadge(level)
  local place = kZenMenuBadges[level]
  return Button{ name = "zen" .. level, label = "#" .. level, font = kBadgeFont,
                 graphics = { "buttons/level-open", "buttons/level-open", "buttons/level-open" },
                 x = place[1], y = place[2], w = 72, h = 72,
                 command = function() PlayLevel(kZenWorld, level) end }
end

local menu = {
  Bitmap{ name = "zenMenuBackground", image = "backgrounds/title", x = 0, y = 0 },
  ZenMenuWindow{ name = "zenMenu", x = 0, y = 0, w = 0, h = 0 },
  Text{ name = "zenMenuHeading", label = "ZenMenuHeading", font = kTitleFont, x = 0, y = 30, w = 800, h = 130 },
  Text{ name = "zenMenuChoose", label = "ZenMenuChoose", font = kZenMenuChooseFont, x = 510, y = 200, w = 240, h = 70 },
  Button{ name = "zenMenuBack", label = "ZenMenuBack", x = 520, y = 520, w = 220, h = 56,
          command = function() SwapToModal("scripts/levelmap.lua") end },
}
local zenLevels = GetCurrentZenLevel()
if zenLevels < 1 then zenLevels = 1 end
if zenLevels > kLevelsPerWorld then zenLevels = kLevelsPerWorld end
for level = 1, zenLevels do
  table.insert(menu, ZenMenuBadge(level))
end
MakeDialog(menu)
