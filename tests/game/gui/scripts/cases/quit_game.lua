-- "quitGame" leads back to the map, nothing more open than before.
ReadFile("cases/setup.lua")
ClickAt(kLevelOne)
Idle(50)
ClickAt(kQuitGame)
Idle(100)
Call("ShowMap")
DoModal("scripts/levelmap.lua")
