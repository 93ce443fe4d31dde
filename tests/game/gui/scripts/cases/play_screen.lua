-- Level 1-1 chosen on the map: the play screen in place of the map, the
-- game clocks running.
ReadFile("cases/setup.lua")
ClickAt(kLevelOne)
Idle(50)
Call("ShowPlay")
DoModal("scripts/levelmap.lua")
