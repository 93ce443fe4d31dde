-- Leaving 10-5 shows the Journey's end over the play screen; its button
-- closes the map's dialog, which leads back to the title menu.
ReadFile("cases/setup.lua")
gJourney.openWorld, gJourney.openLevel, gJourney.shownWorld = 10, 5, 10
function ShowJourneyEnd()
  Print("journey end", Kind("journeyEndHeading"), Kind("continueButton"), PlayedLevel())
end
ClickAt(kLevelFive)
Idle(50)
Call("ShowPlay")
Call("LeaveLevel")
Idle(100)
Call("ShowJourneyEnd")
ClickAt(kJourneyEndContinue)
Idle(100)
Print("map closed with", DoModal("scripts/levelmap.lua"))
PrintTree()
