-- The library's constants and tables, as every window script starts with
-- them.
local values = {
  "LUA_PATH", "kPush", "kToggle", "kRadio",
  "kHAlignLeft", "kHAlignCenter", "kHAlignRight",
  "kVAlignTop", "kVAlignCenter", "kVAlignBottom",
  "kAllLayers", "kCenter", "kMax", "kDefault",
  "kPushButtonAlignment", "kRadioButtonAlignment", "kToggleButtonAlignment",
  "kCloseWindow", "kDefaultAction", "kButtonPress", "kPressAnyKey", "kQuitNow", "kModalClosed",
  "gReturnValue", "gCurID", "gBeginGroup",
}
for i = 1, table.getn(values) do
  Print(values[i], _G[values[i]])
end

-- Empty tables, each its own.
local tables = {
  "idtable", "gParent", "gCurrentDefaultStyle", "gClosedWindows",
  "gCommandQueue", "gMessageQueue", "gDialogTable",
}
local seen = {}
for i = 1, table.getn(tables) do
  local value = _G[tables[i]]
  Print(tables[i], type(value), next(value), seen[value])
  seen[value] = tables[i]
end
