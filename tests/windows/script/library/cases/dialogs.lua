-- Modal dialogs over the real window functions: each opens a modal window,
-- the dialog's script builds inside it, and the wait ends when it closes.
-- Messages posted while a click is handled are delivered at the next event:
-- the idle time after each click.

-- CloseWindow with a value: DoModal returns it and clears gReturnValue.
Click(50, 20)
Idle(30)
Print("closed with a value", DoModal("dialogs/choose.lua"), gReturnValue)
PrintTree()

-- PopModal with a value closes the dialog at once.
Click(150, 20)
Idle(30)
Print("popped with a value", DoModal("dialogs/choose.lua"), gReturnValue)

-- SwapToModal rebuilds the top dialog from another script.
local id = PushModal("outer")
ReadFile("dialogs/choose.lua")
SwapToModal("dialogs/swap.lua")
PrintTree()
PopModal()

-- DisplayDialog hands its table to the dialog's script.
Click(50, 20)
Idle(30)
Print("DisplayDialog", DisplayDialog{ "dialogs/listed.lua", answer = "listed" }, gReturnValue)

-- An empty table opens nothing.
Print("empty DisplayDialog", DisplayDialog{})
PrintTree()

-- A dialog that closes while the script waits for another (one opened
-- above it, say) is remembered; the later wait for it ends at the next
-- message or time-out.
local first = PushModal("first")
local second = PushModal("second")
function CloseCurrent() CloseWindow() end
CloseWindow()
Idle(30)
Call("CloseCurrent")
Idle(30)
WaitForCloseMessage(first)
Print("first closed, second remembered", gClosedWindows[second])
Post(0, "next")
WaitForCloseMessage(second)
Print("second taken", gClosedWindows[second], gLastMessage)
PrintTree()
