-- The Zen menu, put in place of the level map by its "zenButton" with
-- SwapToModal, and again in place of the play screen when a Zen level
-- before the last is left: one badge for each open Zen level, leading to
-- its play screen, and the way back to the map. The Zen menu window keeps
-- the menu animating and counts the time here as Zen time.
local kZenMenuBadgeLeft, kZenMenuBadgeTop, kZenMenuBadgeStep = 130, 330, 112

local function ZenMenuBadge(level)
  return Button{ name = "zen" .. level, label = "#" .. level, font = kBadgeFont,
                 graphics = { "buttons/level-open", "buttons/level-open", "buttons/level-open" },
                 x = kZenMenuBadgeLeft + kZenMenuBadgeStep * (level - 1), y = kZenMenuBadgeTop, w = 72, h = 72,
                 command = function() PlayLevel(kZenWorld, level) end }
end

local menu = {
  Bitmap{ name = "zenMenuBackground", image = "backgrounds/title", x = 0, y = 0 },
  ZenMenuWindow{ name = "zenMenu", x = 0, y = 0, w = 0, h = 0 },
  Text{ name = "zenMenuHeading", label = "ZenMenuHeading", font = kTitleFont, x = 0, y = 30, w = 800, h = 130 },
  Text{ name = "zenMenuChoose", label = "ZenMenuChoose", font = kHeadingFont, x = 0, y = 220, w = 800, h = 70 },
  Button{ name = "zenMenuBack", label = "ZenMenuBack", x = 290, y = 500, w = 220, h = 56,
          command = function() SwapToModal("scripts/levelmap.lua") end },
}
local zenLevels = GetCurrentZenLevel()
if zenLevels < 1 then zenLevels = 1 end
if zenLevels > kLevelsPerWorld then zenLevels = kLevelsPerWorld end
for level = 1, zenLevels do
  table.insert(menu, ZenMenuBadge(level))
end
MakeDialog(menu)
