-- One case of the refresh table: the steps the test put in gArrange lead
-- the screen to the view it looks at, which is then shown and left.
ReadFile("cases/setup.lua")
assert(loadstring(gArrange))()
ShowScreen("view")
Then(function() Print("", TextOf("gamemode"), TextOf("category"), TextOf("yourrank"), TextOf("error"), Place("leftpanel")) end)
Leave()
DoModal("scripts/hiscores.lua")
