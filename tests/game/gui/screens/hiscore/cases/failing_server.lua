-- A service that fails: the error shows with the default text, and
-- "viewlocal" leads back.
ReadFile("cases/setup.lua")
Then(function() Mood("fails") end)
PressAndWait("view")
ShowScreen("failed")
Then(function() Print("", TextOf("error")) end)
Then(function() Press("viewlocal") end)
ShowScreen("back")
Leave()
DoModal("scripts/hiscores.lua")
