-- The Journey's last level won: continue leaves it through the play
-- window, which ends the metrics' timing of the level, records the
-- finished Journey and turns the play screen into the game-end screen.
ReadFile("cases/setup.lua")
gJourney.openWorld, gJourney.openLevel, gJourney.shownWorld = 10, 5, 10
function OpenTable()
  WinLevel(10, 5, 1200, 300, 90, 0)
  OpenTableOf("scripts/collectable_table.lua")
end
function ShowGameEnd()
  Print("game end", Seen("gameEnd"), Seen("collectableTable"))
end
ClickAt(kLevelFive)
Idle(50)
Call("ShowMetrics")
Call("OpenTable")
Idle(7000)
Call("ShowMetrics")
ClickAt(kContinue)
Idle(50)
Call("ShowGameEnd")
Call("ShowMetrics")
DoModal("scripts/levelmap.lua")
