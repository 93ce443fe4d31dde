-- ResetGame builds the play screen again on the same level.
ReadFile("cases/setup.lua")
function Reset()
  Print("play windows before", CountPlayWindows(), PlayedLevel())
  ResetGame()
end
function CountAfter()
  Print("play windows after", CountPlayWindows())
end
ClickAt(kLevelOne)
Idle(50)
Call("Reset")
Idle(100)
Call("ShowPlay")
Call("CountAfter")
DoModal("scripts/levelmap.lua")
