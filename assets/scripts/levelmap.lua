-- The level map of the Journey: the levels of world 1, open at every start
-- as fits the fresh player each start plays as, and the way back to the
-- title menu.
local kBadges = { { 522, 280 }, { 594, 280 }, { 666, 280 }, { 558, 356 }, { 630, 356 } }

local function Badge(level, place)
  return Group{
    Bitmap{ name = "level" .. level, image = "buttons/level-open", x = place[1], y = place[2] },
    Text{ name = "levelNumber" .. level, label = tostring(level), font = kBadgeFont,
          x = place[1], y = place[2], w = 72, h = 72 },
  }
end

local map = {
  Bitmap{ name = "mapBackground", image = "backgrounds/title", x = 0, y = 0 },
  Text{ name = "mapHeading", label = "LevelMapHeading", font = kTitleFont, x = 0, y = 30, w = 800, h = 130 },
  Text{ name = "worldName", label = "#" .. GetString("LevelMapWorld", 1), font = kHeadingFont,
        x = 500, y = 200, w = 260, h = 70 },
  Button{ name = "backButton", label = "LevelMapBack", x = 520, y = 430, w = 220, h = 56,
          command = function() CloseWindow("back") end },
}
for level = 1, table.getn(kBadges) do
  table.insert(map, Badge(level, kBadges[level]))
end
MakeDialog(map)
