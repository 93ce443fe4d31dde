-- The thin wrappers over native functions, seen through recording
-- stand-ins: the arguments they fill in and the calls they put off.

function _GetString(...) Print("_GetString", unpack(arg)) return "text" end
function _SetBitmap(...) Print("_SetBitmap", unpack(arg)) end
function RealSetFocus(name) Print("RealSetFocus", name) end
function DoSelectLayer(layer) Print("DoSelectLayer", layer) end

Print("GetString", GetString("key"))
GetString("key", "a", nil, 3)
GetString("key", 1, 2, 3, 4, 5)
SetBitmap("picture", "image")
SetBitmap("picture", "image", 0.5)

local focus = SetFocus("edit")
local layer = SelectLayer(kAllLayers)
Print("nothing called yet")
focus()
layer()
