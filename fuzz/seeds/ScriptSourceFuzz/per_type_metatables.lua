-- Per-type metatables: values that are neither tables nor userdata share one
-- metatable per type, which stands for all their metamethods.
local numbers = getmetatable(1)
print(numbers == getmetatable(2.5), numbers == getmetatable("s"), getmetatable(nil))
print(getmetatable(print) == getmetatable(function() end), getmetatable(true) == getmetatable(false))

-- As "__index" it is the table where fields of such values are found.
numbers.double = function(n) return n * 2 end
print((21):double(), (1.5).double == numbers.double)
numbers.double = nil
print((21).double)

-- Assigning a field of such a value stores it in the per-type table.
local flag = true
flag.label = "a boolean"
print((false).label, getmetatable(true).label)

-- "__tostring" in a per-type table changes how tostring and print show values.
local booleans = getmetatable(true)
booleans.__tostring = function(b) return b and "yes" or "no" end
print(true, false, tostring(1 == 1))
booleans.__tostring = nil
print(true)

-- Order comparisons of wide strings call the per-type table of wide strings,
-- which fails unless that table is made callable.
print(pcall(function() return L"a" < L"b" end))
local wides = getmetatable(L"")
setmetatable(wides, {__call = function(self, a, b) return tostring(a) < tostring(b) end})
print(L"a" < L"b", L"b" < L"a", L"a" <= L"b", L"b" > L"a")
setmetatable(wides, nil)

-- Arithmetic needs a function: a per-type table is no metamethod there.
print(pcall(function() return {} + true end))
print(pcall(function() return print + 1 end))

-- Nil has no per-type table: indexing it stays an error.
print(pcall(function() local v return v.field end))

-- Tables and userdata keep their own metatables; a table starts with the
-- shared default metatable.
local t = {}
print(getmetatable(t) == getmetatable({}), getmetatable(t) ~= numbers)
local proxy = newproxy(true)
getmetatable(proxy).__index = function(self, key) return "proxy " .. key end
print(proxy.anything)
