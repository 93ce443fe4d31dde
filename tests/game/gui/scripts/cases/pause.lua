-- Escape and "pauseButton" open the pause dialog, which stops the game
-- clocks and names the level; Escape there and "returnGame" resume them,
-- "To the map" leaves the level for the map.
ReadFile("cases/setup.lua")
function ShowPause()
  Print("pause", Kind("pauseWindow"), Kind("returnGame"), Kind("mapButton"), GetLabel("LevelText"), ClocksRun(),
        PlayedLevel())
end
function ShowClocks()
  Print("clocks run", ClocksRun())
end
ClickAt(kLevelOne)
Idle(50)
TypeChar(27)
Idle(50)
Call("ShowPause")
TypeChar(27)
Idle(50)
Call("ShowPlay")
ClickAt(kPauseButton)
Idle(50)
Call("ShowPause")
ClickAt(kPauseContinue)
Idle(50)
Call("ShowPlay")
TypeChar(27)
Idle(50)
Call("ShowPause")
ClickAt(kPauseToMap)
Idle(100)
Call("ShowMap")
Call("ShowClocks")
DoModal("scripts/levelmap.lua")
