-- The help screen, opened by the main loop from the title menu's "Help" and
-- from the tutorials' medallion of the page of the ways to play, and put
-- back in place of the play screen when a tutorial played from here is
-- left. It lists our tutorials; each plays in tutorial mode, in which the
-- play screen shows "skipButton", draws the help screen's scenes and marks
-- nothing seen. Being here again means no tutorial is playing, so the mode
-- is off; "Back" closes the screen with "back".
local kHelpTutorials = {
  { world = 2, level = 1, label = "HelpTutorialTurning" },
  { world = 3, level = 1, label = "HelpTutorialBombs" },
}
local kHelpTutorialTop, kHelpTutorialStep = 280, 68

SetTutorialMode(false)
PlayMainmenuBackground()

local function PlayTutorial(tutorial)
  SetTutorialMode(true)
  SetZenMode(false)
  gPlayLevel = { world = tutorial.world, level = tutorial.level }
  SwapToModal("scripts/playscreen.lua")
end

local function HelpTutorialButton(n, tutorial)
  return Button{ name = "helpTutorial" .. n, label = tutorial.label,
                 x = 520, y = kHelpTutorialTop + kHelpTutorialStep * (n - 1), w = 220, h = 56,
                 command = function() PlayTutorial(tutorial) end }
end

local menu = {
  Bitmap{ name = "helpBackground", image = "backgrounds/title", x = 0, y = 0 },
  Text{ name = "helpHeading", label = "HelpHeading", font = kTitleFont, x = 0, y = 30, w = 800, h = 130 },
  Text{ name = "helpChoose", label = "HelpChoose", x = 500, y = 200, w = 260, h = 60 },
  Button{ name = "helpBack", label = "HelpBack", x = 520, y = 520, w = 220, h = 56,
          command = function() CloseWindow("back") end },
}
for n, tutorial in ipairs(kHelpTutorials) do
  table.insert(menu, HelpTutorialButton(n, tutorial))
end
MakeDialog(menu)
