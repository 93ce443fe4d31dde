-- The table library: sizes from "n", from setn or by counting; insert and
-- remove moving items; concat with separators and ranges; sort with and
-- without an order function; foreach and foreachi.
local function list(t)
  local parts = {}
  for i = 1, table.getn(t) do parts[i] = tostring(t[i]) end
  return table.concat(parts, " ")
end

print(table.getn({}), table.getn({1, 2, 3}), table.getn({1, 2, nil, 4}), table.getn({n = 7}),
      table.getn({1, 2, n = 1}))
local t = {1, 2, 3}
table.setn(t, 10)
print(table.getn(t), t.n)
local u = {n = 2}
table.setn(u, 5)
print(table.getn(u), u.n)

local q = {}
table.insert(q, "a")
table.insert(q, "b")
table.insert(q, 1, "c")
print(list(q), table.getn(q))
table.insert(q, 5, "e")
print(table.getn(q), q[4], q[5])
print(table.remove(q), table.getn(q))
print(table.remove(q, 1), list(q))
print(table.remove({}))

print(table.concat({1, 2, 3}), table.concat({"a", "b", "c"}, ", "),
      table.concat({"a", "b", "c", "d"}, "-", 2, 3))
print("[" .. table.concat({}) .. "]", "[" .. table.concat({"a"}, ",", 3, 2) .. "]")
local many = {}
for i = 1, 1000 do many[i] = "x" end
print(string.len(table.concat(many, "ab")))

local nums = {5, 2, 8, 1, 9, 3, 7, 4, 6, 0}
table.sort(nums)
print(list(nums))
table.sort(nums, function(a, b) return a > b end)
print(list(nums))
local names = {"pear", "apple", "fig", "banana"}
table.sort(names)
print(list(names))
local records = {{k = 3, v = "c"}, {k = 1, v = "a"}, {k = 2, v = "b"}}
table.sort(records, function(a, b) return a.k < b.k end)
print(records[1].v .. records[2].v .. records[3].v)
local big, v = {}, 0
for i = 1, 200 do
  v = v + 37
  if v >= 200 then v = v - 200 end
  big[i] = v
end
table.sort(big)
local sorted = true
for i = 1, 200 do if big[i] ~= i - 1 then sorted = false end end
print(sorted)

table.foreachi({"a", "b", "c"}, function(i, v) print(i, v) end)
print(table.foreachi({"a", "b", "c"}, function(i, v) if v == "b" then return i end end))
print(table.foreach({x = 1}, function(k, v) return k .. "=" .. v end))
local seen = 0
table.foreach({a = 1, b = 2, c = 3}, function(k, v) seen = seen + v end)
print(seen)

local function message(f)
  local ok, text = pcall(f)
  return (string.gsub(text, "^[^:]*:%d+: ", ""))
end
local errors = {
  function() return table.concat({1, {}, 3}) end,
  function() return table.concat({"a", L"w"}) end,
  function() return table.concat({}, {}) end,
  function() return table.concat(nil) end,
  function() return table.insert(nil, 1) end,
  function() return table.insert({}, "x", 1) end,
  function() return table.getn(5) end,
  function() return table.setn({}, "x") end,
  function() return table.sort({4, 3, 2, 1}, function(a, b) return true end) end,
  function() return table.sort({3, "a"}) end,
  function() return table.sort({}, 5) end,
  function() return table.foreach({}, 1) end,
  function() return table.foreachi(1) end,
}
for i, f in ipairs(errors) do print(i, message(f)) end
