-- A won Journey level below its target: the table counts up, continue
-- shows at its end and leads, through the play window's way out (which
-- ends the metrics' timing of the level), to the table between levels with
-- the level and its total, and on to the map with the next level open.
ReadFile("cases/setup.lua")
kTipContinue = { 520, 394 }
function ShowTip()
  Print("tip", Seen("endLevelTable"), GetLabel("CurrentLevel"), GetLabel("TotalScore"))
end
function OpenTable()
  WinLevel(1, 1, 1200, 300, 90, 0)
  OpenTableOf("scripts/collectable_table.lua")
end
ClickAt(kLevelOne)
Idle(50)
Call("OpenTable")
Idle(20)
Call("ShowTable")
Idle(7000)
Call("ShowTable")
Call("ShowMetrics")
ClickAt(kContinue)
Idle(50)
Call("ShowTip")
ClickAt(kTipContinue)
Idle(50)
Call("ShowMap")
Call("ShowMetrics")
DoModal("scripts/levelmap.lua")
