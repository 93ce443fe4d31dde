-- Names from the service that hold links show as text and press nothing.
ReadFile("cases/setup.lua")
-- The first name's first letters, where a link would lie.
kFirstName = { 30 + 96 + 4, 86 + 82 + 16 }
PressAndWait("view")
Then(function() Print("online", View(), Links("name1"), Links("name2"), TextOf("name2")) end)
Click(kFirstName[1], kFirstName[2])
Idle(10)
Then(function() Print("clicked", View()) end)
Leave()
DoModal("scripts/hiscores.lua")
