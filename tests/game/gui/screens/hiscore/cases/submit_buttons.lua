-- Keystrokes and Enter in the edits show the submit button while a name
-- or an account is given, and hide it while neither is.
ReadFile("cases/setup.lua")
kBackspace, kEnter = 8, 13
Then(function() AddScores(300, 0) end)
Then(function() Press("viewlocal") end)
Then(function() Press("submitscores") end)
Then(function() Print("opened", Shown(), TextOf("nameedit")) end)
for _ = 1, 3 do TypeChar(kBackspace) end
Idle(10)
Then(function() Print("name erased", Shown(), TextOf("nameedit")) end)
TypeChar(kEnter)
Idle(10)
Then(function() Print("enter", Shown()) end)
TypeChar(string.byte("Q"))
Idle(10)
Then(function() Print("typed", Shown(), TextOf("nameedit")) end)
Then(function() Press("submitcancel") end)
Leave()
DoModal("scripts/hiscores.lua")
