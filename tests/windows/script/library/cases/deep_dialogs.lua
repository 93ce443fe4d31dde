-- Dialogs nest at most 256 windows deep. Once PushModal is refused, DoModal
-- and DisplayDialog return nothing at once, without running the dialog's
-- script, and DisplaySplash shows nothing and pops nothing.

local pushed = 0
while PushModal("level") ~= "" do pushed = pushed + 1 end
Print("pushed", pushed)

Print("DoModal", DoModal("dialogs/plain.lua"))
Print("DisplayDialog", DisplayDialog{ "dialogs/plain.lua" })
AddImage("logo.png", 200, 100)
local start = GetTimer()
DisplaySplash("", "logo.png", 300)
Print("DisplaySplash", GetTimer() - start)
Print("still full", PushModal("probe") == "")
