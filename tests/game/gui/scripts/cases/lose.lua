-- A level whose time runs out shows the lose dialog 2 seconds later, over
-- the play screen with its pause button hidden; "Try again" plays the level
-- anew, "To the map" leaves it for the map.
ReadFile("cases/setup.lua")
kLoseTryAgain = { 280, 346 }
kLoseLeave = { 520, 346 }
function ShowLose()
  Print("lose", Kind("loseHeading"), Kind("tryAgainButton"), Kind("pauseButton"), PlayedLevel())
end
ClickAt(kLevelOne)
Idle(50)
Call("RunOutOfTime")
Idle(1500)
Call("ShowLose")
Idle(600)
Call("ShowLose")
ClickAt(kLoseTryAgain)
Idle(100)
Call("ShowPlay")
Call("RunOutOfTime")
Idle(2100)
Call("ShowLose")
ClickAt(kLoseLeave)
Idle(100)
Call("ShowMap")
DoModal("scripts/levelmap.lua")
