-- The collector: entries of weak tables that nothing else holds go, strings
-- and numbers stay; userdata with "__gc" are finalized once they are dead.
local function count(t)
  local n = 0
  for _ in pairs(t) do n = n + 1 end
  return n
end

local kept = {}
local weakvalues = setmetatable({}, {__mode = "v"})
local weakkeys = setmetatable({}, {__mode = "k"})
local weakboth = setmetatable({}, {__mode = "kv"})
local strong = {}

-- Garbage is made inside a function, so no register of this chunk holds it.
local function fill()
  weakvalues[1] = kept
  weakvalues[2] = {}
  weakvalues.text = "strings are values"
  weakvalues.number = 42
  weakkeys[kept] = "kept key"
  weakkeys[{}] = "lost key"
  weakkeys.name = {}
  weakboth[kept] = {}
  weakboth[1] = kept
  strong[{}] = {}
end
fill()
collectgarbage()
print(count(weakvalues), count(weakkeys), count(weakboth), count(strong))
print(weakvalues[1] == kept, weakvalues[2], weakvalues.text, weakvalues.number)
print(weakkeys[kept], type(weakkeys.name), weakboth[1] == kept, weakboth[kept])

-- Once the last reference goes, the entries go at the next collection.
kept = nil
collectgarbage()
print(count(weakvalues), count(weakkeys), count(weakboth))

-- "__gc" runs for a dead userdata; a live one waits.
local finalized = {}
local function watched(name)
  local proxy = newproxy(true)
  getmetatable(proxy).__gc = function() finalized[name] = true end
  return proxy
end
local alive = watched("alive")
watched("dropped")
collectgarbage()
print(finalized.alive, finalized.dropped)
alive = nil
collectgarbage()
print(finalized.alive)

-- Proxies made from another proxy share its metatable, and its "__gc".
local calls = 0
local function sharing()
  local first = newproxy(true)
  getmetatable(first).__gc = function() calls = calls + 1 end
  local second = newproxy(first)
  return getmetatable(first) == getmetatable(second)
end
print(sharing())
collectgarbage()
print(calls)

-- A table reachable only from a finalizer's upvalue lives until it ran.
local log = {}
local function witness()
  local record = {name = "record"}
  local proxy = newproxy(true)
  getmetatable(proxy).__gc = function() log[1] = record.name end
end
witness()
collectgarbage()
print(log[1])

-- Many short-lived tables and strings are reclaimed as they go.
local before = gcinfo()
for i = 1, 20000 do
  local t = {i, tostring(i), {}}
end
collectgarbage()
local after = gcinfo()
print(after - before < 100)
