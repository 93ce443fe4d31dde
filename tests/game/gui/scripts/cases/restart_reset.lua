-- Leaving 2-3 shows the table between levels; its "Reset" starts the
-- Journey afresh, so the map shows world 1 with only its first level open.
ReadFile("cases/setup.lua")
gJourney.openWorld, gJourney.openLevel, gJourney.shownWorld = 2, 3, 2
ClickAt(kLevelThree)
Idle(50)
Call("ShowPlay")
Call("LeaveLevel")
Idle(100)
Call("ShowTip")
ClickAt(kTipReset)
Idle(50)
Call("ShowMap")
DoModal("scripts/levelmap.lua")
