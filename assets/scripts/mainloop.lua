-- The game's first screen script, run once at start-up. It sets the style
-- every screen builds on and returns the function that runs the screens:
-- run as the screens' coroutine, it loads the game's pictures behind the
-- loading screen, then leads from the title menu to the level map or the
-- page of the ways to play and back for as long as the game runs. Quitting
-- ends the program from the title menu's "Quit", so the loop never ends by
-- itself.

kMenuFont = { "fonts/default.mvec", 26, Color(255, 241, 184) }
kTitleFont = { "fonts/palabi.mvec", 96, Color(242, 193, 78) }
kHeadingFont = { "fonts/palabi.mvec", 40, Color(255, 241, 184) }
kBadgeFont = { "fonts/palabi.mvec", 30, Color(27, 27, 42) }
kCentred = kHAlignCenter + kVAlignCenter

SetDefaultStyle{
  font = kMenuFont,
  flags = kCentred,
  graphics = { "buttons/menu-up", "buttons/menu-down", "buttons/menu-over" },
  sound = "music/button-press.ogg",
}

-- The screen each choice made on a screen leads to; every other choice
-- ("back" among them) leads to the title menu.
local kNextScreens = {
  play = "scripts/levelmap.lua",
  moregames = "scripts/moregames.lua",
  journey = "scripts/levelmap.lua",
}

return function()
  DoModal("scripts/loadingscreen.lua")
  local screen = "scripts/titlemenu.lua"
  while true do
    screen = kNextScreens[DoModal(screen) or ""] or "scripts/titlemenu.lua"
  end
end
