-- Scrolling at both ends: the local table never starts above its first
-- row, the online one never more than five rows from its end.
ReadFile("cases/setup.lua")
Then(function() AddScores(0, 25) end)
function PressAndShow(arrow, show)
  Then(function() Press(arrow) end)
  Then(function() Print(arrow, View(), show()) end)
end
for _, arrow in ipairs{ "scrollup", "scrolldown", "scrolldown", "scrollup", "scrollup", "scrollup" } do
  PressAndShow(arrow, Shown)
end
PressAndWait("view")
for _, arrow in ipairs{ "scrolldown", "scrolldown", "scrolldown", "scrollup" } do
  PressAndShow(arrow, Rows)
end
Leave()
DoModal("scripts/hiscores.lua")
