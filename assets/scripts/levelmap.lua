-- The level map, opened by the main loop with DoModal and rebuilt in place
-- by SwapToModal whenever a level is left or another world is shown: the
-- five levels of one world of the Journey, each open one leading to its
-- play screen, arrows to the worlds before and after it, the way to the Zen
-- menu once Zen is open, and the way back to the title menu.
local kBadges = { { 522, 280 }, { 594, 280 }, { 666, 280 }, { 558, 356 }, { 630, 356 } }
local world = gJourney.shownWorld
-- Back from a level, the menu's music takes over from the level's; from the
-- title menu it plays on.
PlayMainmenuBackground()

local kOpenBadge = { "buttons/level-open", "buttons/level-open", "buttons/level-open" }

-- An open level is a button with its number; a shut one only shows it.
local function Badge(level, place)
  if IsLevelOpen(world, level) then
    return Button{ name = "level" .. level, label = "#" .. level, font = kBadgeFont, graphics = kOpenBadge,
                   x = place[1], y = place[2], w = 72, h = 72,
                   command = function() PlayLevel(world, level) end }
  end
  return Group{
    Bitmap{ name = "level" .. level, image = "buttons/level-shut", x = place[1], y = place[2] },
    Text{ name = "levelNumber" .. level, label = "#" .. level, font = kBadgeFont,
          x = place[1], y = place[2], w = 72, h = 72 },
  }
end

local function ShowWorld(shown)
  gJourney.shownWorld = shown
  SwapToModal("scripts/levelmap.lua")
end

local map = {
  Bitmap{ name = "mapBackground", image = "backgrounds/title", x = 0, y = 0 },
  Text{ name = "mapHeading", label = "LevelMapHeading", font = kTitleFont, x = 0, y = 30, w = 800, h = 130 },
  Text{ name = "worldName", label = "#" .. GetString("LevelMapWorld", world), font = kHeadingFont,
        x = 540, y = 200, w = 180, h = 70 },
  Button{ name = "backButton", label = "LevelMapBack", x = 520, y = 520, w = 220, h = 56,
          command = function() CloseWindow("back") end },
}
if world > 1 then
  table.insert(map, Button{ name = "previousWorld", label = "#<", x = 508, y = 210, w = 44, h = 50,
                            command = function() ShowWorld(world - 1) end })
end
if world < gJourney.openWorld then
  table.insert(map, Button{ name = "nextWorld", label = "#>", x = 708, y = 210, w = 44, h = 50,
                            command = function() ShowWorld(world + 1) end })
end
for level = 1, table.getn(kBadges) do
  table.insert(map, Badge(level, kBadges[level]))
end
if gJourney.zenOpen then
  table.insert(map, Button{ name = "zenButton", label = "LevelMapZen", x = 520, y = 450, w = 220, h = 56,
                            command = function() SwapToModal("scripts/zenmenu.lua") end })
end
MakeDialog(map)
