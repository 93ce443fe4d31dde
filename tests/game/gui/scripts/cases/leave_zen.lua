-- A Zen level left from its pause dialog, or lost and left, leads back to
-- the Zen menu it was chosen on, not to the Journey's map; the buttons that
-- leave it say so.
ReadFile("cases/setup.lua")
kLoseLeave = { 520, 346 }
function ShowPauseLeave()
  Print("leave", GetLabel("mapButton"))
end
function ShowLoseLeave()
  Print("leave", GetLabel("leaveButton"))
end
gJourney.zenOpen = true
ClickAt(kZenButton)
Idle(50)
ClickAt(kZenMenuFirst)
Idle(50)
Call("ShowPlay")
ClickAt(kPauseButton)
Idle(50)
Call("ShowPauseLeave")
ClickAt(kPauseToMap)
Idle(100)
Call("ShowZenMenu")
ClickAt(kZenMenuFirst)
Idle(50)
Call("ShowPlay")
Call("RunOutOfTime")
Idle(2100)
Call("ShowLoseLeave")
ClickAt(kLoseLeave)
Idle(100)
Call("ShowZenMenu")
DoModal("scripts/levelmap.lua")
