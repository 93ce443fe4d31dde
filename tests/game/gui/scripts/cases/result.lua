-- A won Journey level shows its result over the play screen two seconds
-- later (a second to the closing flash, a second of flash); once the table
-- has counted (and a click on it has shown the quote a level past its
-- target has), "Continue" leads through the table between levels to the
-- map with the next level open.
ReadFile("cases/setup.lua")
kResultContinue = { 400, 504 }
kResultTable = { 400, 100 }
kOffTheTable = { 20, 20 }
function ShowResult()
  Print("result", Kind("tablePanel"), Kind("continueButton"), Kind("pauseButton"), PlayedLevel())
end
ClickAt(kLevelOne)
Idle(50)
Call("GameFinish")
Idle(2100)
Call("ShowResult")
Idle(10000)
ClickAt(kResultTable)
Idle(1500)
ClickAt(kOffTheTable)
ClickAt(kResultContinue)
Idle(100)
Call("ShowTip")
ClickAt(kTipContinue)
Idle(50)
Call("ShowMap")
DoModal("scripts/levelmap.lua")
