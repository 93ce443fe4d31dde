-- continue and break with a loop number, and closures made in loop bodies.
local function join(list)
  local text = ""
  for i, v in ipairs(list) do
    if i > 1 then text = text .. "," end
    text = text .. tostring(v)
  end
  return text
end

-- continue steps a numeric for loop.
local kept, n = {}, 0
for i = 1, 6 do
  if i == 2 or i == 4 then continue end
  n = n + 1
  kept[n] = i
end
print("for", join(kept))

-- continue in a generic for loop takes the next pair.
local letters = ""
for _, v in ipairs({"a", "b", "c", "d"}) do
  if v == "b" then continue end
  letters = letters .. v
end
print("in", letters)

-- continue in a while loop tests the condition again.
local i, seen = 0, ""
while i < 6 do
  i = i + 1
  if i == 3 then continue end
  seen = seen .. i
end
print("while", seen)

-- continue in a repeat loop evaluates the until condition.
local r, tried = 0, ""
repeat
  r = r + 1
  if r == 2 then continue end
  tried = tried .. r
until r >= 4
print("repeat", tried)

-- break 2 leaves both loops.
local visited = {}
n = 0
for a = 1, 3 do
  for b = 1, 3 do
    if a * b == 4 then break 2 end
    n = n + 1
    visited[n] = a .. b
  end
end
print("break 2", join(visited))

-- continue 2 goes on with the outer loop.
visited, n = {}, 0
for a = 1, 3 do
  for b = 1, 3 do
    if b == 2 then continue 2 end
    n = n + 1
    visited[n] = a .. b
  end
  n = n + 1
  visited[n] = "never"
end
print("continue 2", join(visited))

-- break 3 from inside a while, a repeat and a for.
local steps = 0
while true do
  repeat
    for k = 1, 10 do
      steps = steps + 1
      if k == 3 then break 3 end
    end
  until false
end
print("break 3", steps)

-- Each pass of a loop has fresh locals, also when it ends with continue.
local getters = {}
for k = 1, 5 do
  local captured = k * 10
  getters[k] = function() return captured end
  if k == 2 then continue end
  captured = captured + 1
end
local values = {}
for k = 1, 5 do values[k] = getters[k]() end
print("closures", join(values))

local counters, w = {}, 0
while w < 4 do
  w = w + 1
  local mine = w
  counters[w] = function() mine = mine + 100 return mine end
  if w <= 2 then continue end
  mine = -mine
end
print("while closures", counters[1](), counters[2](), counters[3](), counters[4](), counters[1]())

-- A closure made before break 2 keeps the locals of both loops.
local made = {}
for a = 1, 3 do
  local outer = a
  for b = 1, 3 do
    local inner = b
    made[a * 10 + b] = function() return outer .. ":" .. inner end
    if a == 2 and b == 2 then break 2 end
  end
end
print("break closures", made[11](), made[13](), made[22](), made[23], made[31])

-- Loop numbers are checked when the script is compiled.
local function compile(source)
  local f, message = loadstring(source, "=loop")
  return message
end
print(compile("break"))
print(compile("continue"))
print(compile("while true do for i = 1, 2 do break 3 end end"))
print(compile("while true do break 0 end"))
print(compile("while true do break 101 end"))
print(compile("while true do continue 1.5 end"))
print(compile("while true do continue x = 1 end"))
print(compile("while true do break 1 end"), compile("for i = 1, 2 do while true do break 2 end end"))
