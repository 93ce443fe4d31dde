-- The waits' own steps, over a stand-in HandleGetMessage that notes how it
-- was called, lets 40 ms pass on a stand-in timer and answers the next of
-- a list of replies (nothing once the list is empty).

local replies = {}
local function Reply(...)
  table.insert(replies, arg)
end
local now = 0
function GetTimer() return now end
function HandleGetMessage(...)
  Print("HandleGetMessage", unpack(arg))
  now = now + 40
  local reply = table.remove(replies, 1)
  if reply == nil then return end
  return unpack(reply)
end

local function M(type, name) return { type = type, name = name } end
local function Name(m)
  if m then return m.type .. " " .. m.name end
  return "none"
end
local function Names(queue)
  local names = {}
  for i = 1, table.getn(queue) do names[i] = Name(queue[i]) end
  return "{" .. table.concat(names, ", ") .. "}"
end

-- Queued messages go newest first, without a wait.
table.insert(gMessageQueue, M(0, "older"))
table.insert(gMessageQueue, M(0, "newer"))
Print("first", Name(WaitForMessage()), Name(message))
Print("second", Name(WaitForMessage()))

-- An empty queue: the wait, without a time-out.
Reply(M(0, "direct"))
Print("direct", Name(WaitForMessage()))

-- The skip-queue flag leaves the queue alone.
table.insert(gMessageQueue, M(0, "kept"))
Reply()
Print("skipping the queue", Name(WaitForMessage(50, true)), Names(gMessageQueue))
gMessageQueue = {}

-- A function that comes with the message runs; its result is kept.
Reply(M(8, "LuaAction:ok"), function() return "ran" end)
Print("with a function", Name(WaitForMessage()), gYieldResult)

-- Otherwise the newest queued command runs, after a time-out or a message.
table.insert(gCommandQueue, function() return "older command" end)
table.insert(gCommandQueue, function() return "newer command" end)
Reply()
Print("command", Name(WaitForMessage(10)), gYieldResult, table.getn(gCommandQueue))
Reply(M(0, "plain"))
Print("command with a message", Name(WaitForMessage()), gYieldResult, table.getn(gCommandQueue))

-- A deferred call: nil and the call.
Reply(nil, function() return "deferred" end)
Print("deferred", Name(WaitForMessage()), gYieldResult)

-- FlushMessages waits 1 ms at a time until nothing comes, then empties both
-- queues; nothing queued runs.
table.insert(gMessageQueue, M(0, "dropped"))
table.insert(gCommandQueue, function() Print("never run") end)
Reply(M(0, "a"))
Reply(M(0, "b"))
FlushMessages()
Print("flushed", Names(gMessageQueue), table.getn(gCommandQueue), table.getn(replies))

-- A pause with the any-key flag ends at a key; what came before it is
-- queued. Without the flag a key is queued and the pause runs its time.
now = 0
Reply(M(0, "during"))
Reply(M(4, "raw:A"))
Pause(1000, true)
Print("any-key pause", now, Names(gMessageQueue))
gMessageQueue = {}
now = 0
Reply(M(4, "raw:B"))
Pause(100)
Print("plain pause", now, Names(gMessageQueue))
