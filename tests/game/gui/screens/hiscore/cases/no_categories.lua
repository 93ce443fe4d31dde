-- A service that names no categories: the arrows go to -1 and 0 without
-- wrapping, and the scores are asked for without a category.
ReadFile("cases/setup.lua")
function ShowOnline(what)
  Then(function() Print(what, View(), LastQuery(), TextOf("category")) end)
end
PressAndWait("view")
ShowOnline("online")
PressAndWait("categoryleft")
ShowOnline("categoryleft")
PressAndWait("categoryright")
ShowOnline("categoryright")
Leave()
DoModal("scripts/hiscores.lua")
