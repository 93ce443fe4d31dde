-- Closures and upvalues, varargs in `arg', multiple results, tail calls.
local function counter()
  local n = 0
  return function() n = n + 1 return n end
end
local c1, c2 = counter(), counter()
print(c1(), c1(), c2())
local function pair()
  local v = 0
  return function(x) v = x end, function() return v end
end
local set, get = pair()
set(42)
print(get())
local fs = {}
for i = 1, 3 do
  local j = i * 10
  fs[i] = function() return j end
end
print(fs[1](), fs[2](), fs[3]())
local function count(...) return arg.n, arg[1], arg[arg.n] end
print(count())
print(count(1, nil, 3))
local function three() return 1, 2, 3 end
print(three())
print(three(), "x")
print((three()))
local a, b, c, d = three()
print(a, b, c, d)
local function down(n)
  if n == 0 then return "done" end
  return down(n - 1)
end
print(down(100000))
local function fact(n)
  if n <= 1 then return 1 end
  return n * fact(n - 1)
end
print(fact(10))
local obj = {value = 3}
function obj.get(self) return self.value end
function obj:twice() return self:get() * 2 end
print(obj:twice())
