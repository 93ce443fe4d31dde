-- A won Journey level shows its result over the play screen a second
-- later; "Continue" leads to the map with the next level open.
ReadFile("cases/setup.lua")
kResultContinue = { 400, 346 }
function ShowResult()
  Print("result", Kind("resultHeading"), Kind("continueButton"), Kind("pauseButton"), PlayedLevel())
end
ClickAt(kLevelOne)
Idle(50)
Call("GameFinish")
Idle(1100)
Call("ShowResult")
ClickAt(kResultContinue)
Idle(100)
Call("ShowMap")
DoModal("scripts/levelmap.lua")
