-- A Journey level above its target: a click hurries the table, the next
-- shows the quote, after which continue shows; "backtomain" leaves for the
-- main loop.
ReadFile("cases/setup.lua")
function OpenTable()
  WinLevel(1, 1, 3000, 800, 300, 500)
  OpenTableOf("scripts/collectable_table.lua")
end
ClickAt(kLevelOne)
Idle(50)
Call("OpenTable")
Idle(700)
ClickAt(kHurry)
Idle(100)
Call("ShowTable")
ClickAt(kHurry)
Idle(500)
Call("ShowTable")
Idle(1000)
Call("ShowTable")
ClickAt(kAway)
ClickAt(kBackToMain)
Idle(50)
Print("left with", DoModal("scripts/levelmap.lua"))
