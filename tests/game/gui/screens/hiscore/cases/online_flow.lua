-- The way to the online tables and about them: categories with wrapping,
-- the four game modes in both directions, and back to the local table.
ReadFile("cases/setup.lua")
function ShowOnline(what)
  Then(function() Print(what, View(), LastQuery(), TextOf("category"), TextOf("gamemode")) end)
end
ShowOnline("local")
PressAndWait("view")
ShowOnline("online")
for _, arrow in ipairs{ "categoryright", "categoryright", "categoryleft" } do
  PressAndWait(arrow)
  ShowOnline(arrow)
end
for _, arrow in ipairs{ "gamemoderight", "gamemoderight", "gamemoderight", "gamemoderight", "gamemodeleft" } do
  PressAndWait(arrow)
  ShowOnline(arrow)
end
Then(function() Press("viewlocal") end)
ShowOnline("viewlocal")
Then(function() Press("gamemodeleft") end)
ShowOnline("local mode left")
Leave()
DoModal("scripts/hiscores.lua")
