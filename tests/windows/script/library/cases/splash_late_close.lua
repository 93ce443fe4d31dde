-- A splash of 250 ms whose own window closes in the wait that runs past its
-- end (the close, posted at 270, reaches the script with the next event, at
-- 280): the message is seen before the time, so the splash knows its window
-- has gone and the dialog under it stays.

AddImage("logo.png", 200, 100)
PushModal("under")
-- Runs as the first pause of the splash ends (at 50), its window current.
table.insert(gCommandQueue, function()
  Idle(220)
  Post(kCloseWindow, CreateCloseMessage().name)
  Idle(10)
end)
Idle(50)
local start = GetTimer()
DisplaySplash("", "logo.png", 250)
Print("closed as its time ran out", GetTimer() - start)
PrintTree()
