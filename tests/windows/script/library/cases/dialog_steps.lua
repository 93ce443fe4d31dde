-- The dialogs' own steps, over recording stand-ins for the native modal
-- functions and a WaitForMessage that answers from a list of messages.

function PushModal(name)
  Print("PushModal", name)
  return "id:" .. name
end
function CreateCloseMessage() return "close message" end
function PostMessage(m) Print("PostMessage", m) end
function DoPopModal() Print("DoPopModal") end
function ClearModalChildren() Print("ClearModalChildren") end
function DebugOut(text) Print("DebugOut", text) end

local replies = {}
local function M(type, name) return { type = type, name = name } end
local function Reply(m) table.insert(replies, { m }) end
function WaitForMessage(...)
  local reply = table.remove(replies, 1)
  local m = reply and reply[1]
  Print("WaitForMessage", unpack(arg))
  return m
end
local function Count(...) return arg.n end

-- DoModal builds the dialog in a new modal window, waits for its close and
-- hands back its result, which it clears.
Reply(M(kButtonPress, "ok"))
Reply(M(kModalClosed, "id:dialogs/ask.lua"))
Print("DoModal", DoModal("dialogs/ask.lua"), gReturnValue, gLastMessage.name)

-- A dialog that closes while the script waits for another one is noted;
-- a later wait for it ends after the next message or time-out.
Reply(nil)
Reply(M(kModalClosed, "id:elsewhere"))
Reply(M(kModalClosed, "id:dialogs/plain.lua"))
Print("DoModal without a result", DoModal("dialogs/plain.lua"), gClosedWindows["id:elsewhere"])
Reply(nil)
WaitForCloseMessage("id:elsewhere")
Print("remembered close", gClosedWindows["id:elsewhere"], table.getn(replies))

-- DisplayDialog: item 1 names the script, the table is kept for it.
local dialog = { "dialogs/ask.lua", extra = 1 }
Reply(M(kModalClosed, "id:dialogs/ask.lua"))
Print("DisplayDialog", DisplayDialog(dialog), gDialogTable == dialog)
Print("DisplayDialog empty", Count(DisplayDialog{}))
Print("DisplayDialog empty name", Count(DisplayDialog{ "" }))

-- Closing and popping, with and without a value.
CloseWindow()
Print("CloseWindow without a value", gReturnValue)
PopModal("popped")
Print("PopModal with a value", gReturnValue)
PopModal()
Print("PopModal without a value", gReturnValue)
ModalReturn(nil)

SwapToModal("dialogs/plain.lua")
