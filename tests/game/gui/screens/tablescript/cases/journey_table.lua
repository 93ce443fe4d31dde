-- A won Journey level below its target: the table counts up, continue
-- shows at its end and leads to the map with the next level open.
ReadFile("cases/setup.lua")
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
ClickAt(kContinue)
Idle(50)
Call("ShowMap")
DoModal("scripts/levelmap.lua")
