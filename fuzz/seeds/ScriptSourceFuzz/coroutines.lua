-- Coroutines: values passed both ways, status, generators, errors, and
-- the limits of where a coroutine may yield.
local co = coroutine.create(function(a, b)
  print("start", a, b)
  local c = coroutine.yield(a + b)
  print("got", c)
  local d, e = coroutine.yield(c * 2)
  print("got", d, e)
  return "done", d + e
end)
print(type(co), coroutine.status(co))
print(coroutine.resume(co, 1, 2))
print(coroutine.status(co))
print(coroutine.resume(co, 10))
print(coroutine.resume(co, 3, 4))
print(coroutine.status(co), coroutine.resume(co))

-- A generator through wrap drives a generic for loop.
local function range(n)
  return coroutine.wrap(function()
    for i = 1, n do coroutine.yield(i) end
  end)
end
local sum = 0
for i in range(5) do sum = sum + i end
print("sum", sum)

local fib = coroutine.wrap(function()
  local a, b = 0, 1
  while true do
    coroutine.yield(a)
    a, b = b, a + b
  end
end)
local first = ""
for i = 1, 10 do
  if i > 1 then first = first .. "," end
  first = first .. fib()
end
print(first)

-- A coroutine is running inside, and suspended while it resumes another.
local outer
outer = coroutine.create(function()
  local inner = coroutine.create(function()
    print("inner sees outer", coroutine.status(outer))
    coroutine.yield()
  end)
  print("outer sees itself", coroutine.status(outer))
  coroutine.resume(inner)
  print("inner after its yield", coroutine.status(inner))
  print(coroutine.resume(outer))
end)
coroutine.resume(outer)
print("outer at the end", coroutine.status(outer))

-- An error kills the coroutine; resume reports it.
local bad = coroutine.create(function(t) return t.field end)
print(coroutine.resume(bad))
print(coroutine.status(bad), coroutine.resume(bad))

-- wrap raises errors again, putting its caller's position before text.
local failing = coroutine.wrap(function() error("from inside") end)
print(pcall(failing))
local plain = coroutine.wrap(function() error("no position", 0) end)
print(pcall(function() plain() end))
local wide = coroutine.wrap(function() error(L"wide \x263A", 0) end)
local ok, message = pcall(function() wide() end)
print(ok, type(message), message)
local object = coroutine.wrap(function() error({code = 7}) end)
ok, message = pcall(object)
print(ok, message.code)

-- Yielding is refused across a protected call and outside any coroutine.
local across = coroutine.create(function() return pcall(coroutine.yield, 1) end)
print(coroutine.resume(across))
print(pcall(coroutine.yield, 1))

-- Argument checks.
print(pcall(coroutine.create, print))
print(pcall(function() coroutine.resume({}) end))
print(pcall(function() coroutine.status(nil) end))
