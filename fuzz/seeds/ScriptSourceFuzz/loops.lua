-- Numeric and generic `for', while, repeat, break and continue with levels.
local sum = 0
for i = 1, 10 do sum = sum + i end
print(sum)
for i = 10, 1, -3 do print(i) end
for i = 1, 0 do print("never") end
for i = "1", "3" do print(i) end
for i = 1, 2, 0.5 do print(i) end
local function range(n)
  return function(_, i) if i < n then return i + 1 end end, nil, 0
end
for i in range(3) do print("range", i) end
local function pairsof(list)
  return function(l, i) i = i + 1 if l[i] then return i, l[i] end end, list, 0
end
for i, v in pairsof({"a", "b"}) do print(i, v) end
local n = 0
while true do
  n = n + 1
  if n > 5 then break end
end
print(n)
local odd = 0
for j = 1, 10 do
  if j & 1 == 0 then continue end
  odd = odd + j
end
print(odd)
local found
for a = 1, 5 do
  for b = 1, 5 do
    if a * b == 12 then found = a .. "x" .. b break 2 end
  end
end
print(found)
local r = 0
repeat r = r + 2 until r >= 7
print(r)
