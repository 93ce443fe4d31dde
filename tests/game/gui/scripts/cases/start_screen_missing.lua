-- The second of level 1-3's pictures is missing: the start screen shows the
-- other two, and the second click starts the level.
ReadFile("cases/setup.lua")
AddImage("startscreens/rings-1", 800, 600)
AddImage("startscreens/rings-3", 800, 600)
gJourney.openWorld, gJourney.openLevel = 1, 4
ClickAt(kLevelThree)
Idle(50)
Call("ShowStart")
ClickAt(kStartScreenPage)
Idle(20)
Call("ShowStart")
ClickAt(kStartScreenPage)
Idle(50)
Call("ShowPlay")
DoModal("scripts/levelmap.lua")
