-- ReadFile runs a script by its logical name below "assets/" and hands back
-- what it returns.
Print("results", ReadFile("files/values.lua"))
Print("its globals", loadedBy)
local ok, message = pcall(ReadFile, "files/missing.lua")
Print("missing", ok, message)
