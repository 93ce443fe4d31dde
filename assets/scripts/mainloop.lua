-- The game's first screen script, run once at start-up. It sets the style
-- every screen builds on, keeps the run's Journey progress for the level
-- map and returns the function that runs the screens: run as the screens'
-- coroutine, it opens the title menu, which asks for the loading screen
-- while the game's pictures are not loaded yet, and leads from the menu to
-- the loading screen, the level map or the page of the ways to play and
-- back for as long as the game runs. The map and the play screen
-- take turns in one dialog, so whatever closes that dialog leads back to the
-- title menu. Quitting ends the program from the title menu's "Quit", so
-- the loop never ends by
-- itself.

kMenuFont = { "fonts/default.mvec", 26, Color(255, 241, 184) }
kTitleFont = { "fonts/palabi.mvec", 96, Color(242, 193, 78) }
kHeadingFont = { "fonts/palabi.mvec", 40, Color(255, 241, 184) }
kBadgeFont = { "fonts/palabi.mvec", 30, Color(27, 27, 42) }
kDialogHeadingFont = { "fonts/palabi.mvec", 40, Color(27, 27, 42) }
kCentred = kHAlignCenter + kVAlignCenter

kJourneyWorlds = 10
kLevelsPerWorld = 5
kZenWorld = 0

SetDefaultStyle{
  font = kMenuFont,
  flags = kCentred,
  graphics = { "buttons/menu-up", "buttons/menu-down", "buttons/menu-over" },
  sound = "music/button-press.ogg",
}

-- The screen each choice made on a screen leads to; every other choice
-- ("back" among them) leads to the title menu.
local kNextScreens = {
  load = "scripts/loadingscreen.lua",
  play = "scripts/levelmap.lua",
  moregames = "scripts/moregames.lua",
  journey = "scripts/levelmap.lua",
  options = "scripts/options.lua",
  hiscores = "scripts/hiscores.lua",
  help = "scripts/helpmenu.lua",
  tutorials = "scripts/helpmenu.lua",
}

-- The run's progress: the furthest Journey level open (the first at every
-- start, as fits the fresh player each start plays as), the world the map
-- shows, and whether Zen is open (after level 2-2) or finished.
gJourney = { openWorld = 1, openLevel = 1, shownWorld = 1, zenOpen = false, zenFinished = false }
-- The level the play screen plays; world 0 is Zen.
gPlayLevel = { world = 1, level = 1 }

function IsLevelOpen(world, level)
  return world < gJourney.openWorld or (world == gJourney.openWorld and level <= gJourney.openLevel)
end

-- The level after the one just played opens, unless it is open already.
function OpenNextLevel()
  local world, level = gPlayLevel.world, gPlayLevel.level + 1
  if world == kZenWorld then return end
  if level > kLevelsPerWorld then
    world, level = world + 1, 1
  end
  if world > kJourneyWorlds or IsLevelOpen(world, level) then return end
  gJourney.openWorld, gJourney.openLevel = world, level
end

-- The dialog on top becomes the play screen of the level.
function PlayLevel(world, level)
  gPlayLevel = { world = world, level = level }
  if world ~= kZenWorld then gJourney.shownWorld = world end
  SetZenMode(world == kZenWorld)
  DoModal("scripts/startscreen.lua")
  SwapToModal("scripts/playscreen.lua")
end

-- Leaving a level leads back to the screen it was chosen on: the help
-- screen for a tutorial played there, the Zen menu for a Zen level, the
-- level map for a Journey level. The dialogs' way out is named after it;
-- for the map each dialog has its own words.
function LeaveScreen()
  if IsTutorialMode() then return "scripts/helpmenu.lua" end
  if IsZenMode() then return "scripts/zenmenu.lua" end
  return "scripts/levelmap.lua"
end

function LeaveLabel(mapLabel)
  if IsTutorialMode() then return "LeaveToHelp" end
  if IsZenMode() then return "LeaveToZenMenu" end
  return mapLabel
end

-- The Zen levels open to the player: at least the first, at most a world's.
function OpenZenLevels()
  local levels = GetCurrentZenLevel()
  if levels < 1 then return 1 end
  if levels > kLevelsPerWorld then return kLevelsPerWorld end
  return levels
end

return function()
  local screen = "scripts/titlemenu.lua"
  while true do
    screen = kNextScreens[DoModal(screen) or ""] or "scripts/titlemenu.lua"
  end
end
