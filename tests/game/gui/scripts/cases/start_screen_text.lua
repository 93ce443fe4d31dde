-- Level 1-4 opens on a text: a click on it does nothing, "nextButton"
-- starts the level.
ReadFile("cases/setup.lua")
gJourney.openWorld, gJourney.openLevel = 1, 4
ClickAt(kLevelFour)
Idle(50)
Call("ShowStart")
ClickAt(kStartScreenPage)
Idle(20)
Call("ShowStart")
ClickAt(kStartScreenNext)
Idle(50)
Call("ShowPlay")
DoModal("scripts/levelmap.lua")
