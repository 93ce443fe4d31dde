-- A won Journey level shows its result over the play screen two seconds
-- later (a second to the closing flash, a second of flash); "Continue"
-- leads to the map with the next level open.
ReadFile("cases/setup.lua")
kResultContinue = { 400, 346 }
function ShowResult()
  Print("result", Kind("resultHeading"), Kind("continueButton"), Kind("pauseButton"), PlayedLevel())
end
ClickAt(kLevelOne)
Idle(50)
Call("GameFinish")
Idle(2100)
Call("ShowResult")
ClickAt(kResultContinue)
Idle(100)
Call("ShowMap")
DoModal("scripts/levelmap.lua")
