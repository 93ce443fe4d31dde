-- The map's "zenButton" opens the Zen menu in its place; a badge there
-- plays its Zen level, and "zenMenuBack" leads back to the map.
ReadFile("cases/setup.lua")
gJourney.zenOpen = true
ClickAt(kZenButton)
Idle(50)
Call("ShowZenMenu")
ClickAt(kZenMenuBack)
Idle(50)
Call("ShowMap")
ClickAt(kZenButton)
Idle(50)
ClickAt(kZenMenuFirst)
Idle(50)
Call("ShowPlay")
DoModal("scripts/levelmap.lua")
