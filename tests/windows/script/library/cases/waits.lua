-- Waiting for messages and commands inside the screen coroutine.

-- Messages that reach the script while no coroutine waits are queued;
-- WaitForMessage takes the newest first and keeps it in "message".
SendNow(0, "older")
SendNow(0, "newer")
Print("queued", gMessageQueue)
Print("first", WaitForMessage(), message)
Print("second", WaitForMessage())

-- The skip-queue flag leaves the queue alone: the wait times out with nil.
SendNow(0, "kept")
Idle(100)
Print("skipping the queue", WaitForMessage(50, true))
Print("still queued", gMessageQueue)

-- A message posted while the script waits reaches it directly.
Post(0, "direct")
Print("direct", WaitForMessage(1000, true))
Print("then the queued one", WaitForMessage())

-- A pause with the any-key flag ends at a key; what came before the key is
-- queued for later.
Post(0, "during the pause")
PressKey(65)
local start = GetTimer()
Pause(1000, true)
Print("any-key pause", GetTimer() - start, gMessageQueue)
gMessageQueue = {}

-- Without the flag the key is only queued and the pause runs its time.
PressKey(66)
Idle(200)
start = GetTimer()
Pause(100)
Print("plain pause", GetTimer() - start, gMessageQueue)
gMessageQueue = {}

-- A queued command runs when a wait ends; its result goes to gYieldResult.
table.insert(gCommandQueue, function() return "older command" end)
table.insert(gCommandQueue, function() return "newer command" end)
Idle(20)
Print("command", WaitForMessage(10), gYieldResult, table.getn(gCommandQueue))

-- A call the framework makes while the script waits is handed to the wait
-- and runs there; the framework's closure hands back no result.
function Later() laterRan = true return "unseen" end
Call("Later")
Print("deferred call", WaitForMessage(), laterRan, gYieldResult)

-- A button's command comes with its message and runs in the wait that
-- takes it; its result goes to gYieldResult.
MakeDialog{ Button{ name = "go", x = 0, y = 0, w = 100, h = 40, command = function() return "clicked" end } }
Click(50, 20)
Print("button command", WaitForMessage(), gYieldResult)

-- FlushMessages drains what arrives and empties both queues.
SendNow(0, "dropped")
table.insert(gCommandQueue, function() Print("never run") end)
Idle(20)
FlushMessages()
Print("flushed", gMessageQueue, gCommandQueue)
