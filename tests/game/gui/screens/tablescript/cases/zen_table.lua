-- A won Zen level: no time row, and continue leads back to the Zen menu.
ReadFile("cases/setup.lua")
gJourney.zenOpen = true
function ShowZenMenu()
  Print("zen menu", Seen("zenMenu"), Seen("zen1"), Seen("collectableTable"), MetricsLevel())
end
function PlayZenTwo() PlayLevel(kZenWorld, 2) end
function OpenTable()
  WinLevel(0, 2, 2000, 500, 0, 0)
  OpenTableOf("scripts/collectable_table_zen.lua")
end
Call("PlayZenTwo")
Idle(50)
Call("OpenTable")
Idle(6000)
Call("ShowTable")
ClickAt(kContinue)
Idle(50)
Call("ShowZenMenu")
DoModal("scripts/levelmap.lua")
