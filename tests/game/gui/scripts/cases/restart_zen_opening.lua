-- Leaving 2-2 opens Zen: the Zen ending, fading in, in place of the play
-- screen, then the map with 2-3 open and the first Zen level.
ReadFile("cases/setup.lua")
gJourney.openWorld, gJourney.openLevel, gJourney.shownWorld = 2, 2, 2
function ShowZenEnd()
  Print("zen end", Kind("zenEndFade"), Kind("zenEndHeading"), GetLabel("zenEndHeading"), PlayedLevel())
end
ClickAt(kLevelTwo)
Idle(50)
Call("ShowPlay")
Call("LeaveLevel")
Idle(100)
Call("ShowZenEnd")
ClickAt(kZenEndContinue)
Idle(100)
Call("ShowMap")
DoModal("scripts/levelmap.lua")
