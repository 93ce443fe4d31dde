-- The Journey's last level won: continue leaves it through the play
-- window, which ends the metrics' timing of the level, records the
-- finished Journey and shows the Journey's end over the play screen.
ReadFile("cases/setup.lua")
gJourney.openWorld, gJourney.openLevel, gJourney.shownWorld = 10, 5, 10
function OpenTable()
  WinLevel(10, 5, 1200, 300, 90, 0)
  OpenTableOf("scripts/collectable_table.lua")
end
function ShowJourneyEnd()
  Print("journey end", Seen("journeyEndHeading"), Seen("collectableTable"))
end
ClickAt(kLevelFive)
Idle(50)
Call("ShowMetrics")
Call("OpenTable")
Idle(7000)
Call("ShowMetrics")
ClickAt(kContinue)
Idle(50)
Call("ShowJourneyEnd")
Call("ShowMetrics")
DoModal("scripts/levelmap.lua")
