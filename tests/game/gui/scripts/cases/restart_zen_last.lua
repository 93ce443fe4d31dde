-- Leaving Zen level 5 finishes Zen; another Zen level leads back to the
-- Zen menu.
ReadFile("cases/setup.lua")
gJourney.zenOpen = true
function PlayZen(level)
  PlayLevel(kZenWorld, level)
end
function PlayZenThree() PlayZen(3) end
function PlayZenFive() PlayZen(5) end
function ShowZenEnd()
  Print("zen end", GetLabel("zenEndHeading"), IsZenMode(), gJourney.zenFinished)
end
Call("PlayZenThree")
Idle(50)
Call("ShowPlay")
Call("LeaveLevel")
Idle(100)
Call("ShowZenMenu")
Call("PlayZenFive")
Idle(50)
Call("ShowPlay")
Call("LeaveLevel")
Idle(100)
Call("ShowZenEnd")
DoModal("scripts/levelmap.lua")
