-- Run as a file by the play window when the player quits its level: the
-- play screen's dialog becomes again the screen the level was chosen on:
-- the help screen for a tutorial played there, the Zen menu for a Zen
-- level, the level map for a Journey level.
local screen = "scripts/levelmap.lua"
if IsTutorialMode() then
  screen = "scripts/helpmenu.lua"
elseif IsZenMode() then
  screen = "scripts/zenmenu.lua"
end
SwapToModal(screen)
