-- Pattern matching: find, gfind and gsub with classes, sets, repetitions,
-- anchors, captures, back references, balances and frontiers.
local function show(...)
  local parts = {}
  for i = 1, arg.n do parts[i] = tostring(arg[i]) end
  return table.concat(parts, " ")
end

-- subject, pattern [, init [, plain]]
local finds = {
  {"hello world", "o"},
  {"hello world", "o", 6},
  {"hello world", "o", -3},
  {"hello world", "l+"},
  {"hello", "^h"},
  {"hello", "^e"},
  {"hello", "o$"},
  {"hello", "l$"},
  {"a+b", "+", 1, true},
  {"a.b", "%."},
  {"key = value", "(%w+)%s*=%s*(%w+)"},
  {"  x", "()x()"},
  {"abc123def", "%d+"},
  {"abc123def", "%D+", 4},
  {"THE (quick) fox", "%((%a+)%)"},
  {"f(a(b)c)d", "%b()"},
  {"THE quick", "%f[%a]%a+", 4},
  {"aaab", "a-b"},
  {"aaab", "a*"},
  {"aaab", "ba?"},
  {"x=1, y=22", "(%a)=(%d+)", 5},
  {"abcabc", "(abc)%1"},
  {"x]", "[]]"},
  {"a-z", "[a%-]+"},
  {"Hello", "[^%l]"},
  {"hello", "[^%l]"},
  {"tab\there", "%c"},
  {"0x1F!", "%x+", 3},
  {"A1_b", "[%u%d_]+"},
  {"hello", ""},
  {"", ""},
  {"a$b", "$b"},
  {"a\0b", "%z"},
}
for i, case in ipairs(finds) do print(i, show(string.find(unpack(case)))) end

local words = {}
for w in string.gfind("one two  three", "%a+") do table.insert(words, w) end
print(table.concat(words, ","))
for k, v in string.gfind("a=1, b=2", "(%w+)=(%w+)") do print(k, v) end
local empties = 0
for e in string.gfind("abc", "x*") do empties = empties + 1 end
print("empty matches", empties)

-- subject, pattern, replacement [, most]
local gsubs = {
  {"hello world", "o", "0"},
  {"hello world", "o", "0", 1},
  {"hello world", "(%w+)", "<%1>"},
  {"hello world", "(%w+) (%w+)", "%2 %1"},
  {"abc", "", "-"},
  {"abc", "^", ">"},
  {"aaa", "^a", "b"},
  {"50%", "%%", " percent"},
  {"a.b", "%.", "%%"},
  {"$1", "%$", "USD"},
  {"one two", "(o)", "[%1]"},
  {"x", "x", 7},
}
for i, case in ipairs(gsubs) do print(i, show(string.gsub(unpack(case)))) end
print(string.gsub("1 2 3", "%d", function(d) return d * 2 end))
print(string.gsub("a b", "%a", function(c) if c == "a" then return "A" end end))
print(string.gsub("k=v", "(%w)=(%w)", function(k, v) return v .. "=" .. k end))
print(string.gsub("abc", "()", function(p) return p end))

local function message(f)
  local ok, text = pcall(f)
  return (string.gsub(text, "^[^:]*:%d+: ", ""))
end
local errors = {
  function() return string.find("a", "%") end,
  function() return string.find("a", "[a") end,
  function() return string.find("a", "[^") end,
  function() return string.find("a", "%b") end,
  function() return string.find("a", "(a") end,
  function() return string.find("a", ".)") end,
  function() return string.find("a", "%1") end,
  function() return string.find("a", "%fa") end,
  function() return string.gsub("a", "a", "%2") end,
  function() return string.gsub("a", "a", true) end,
  function() return string.gsub("a", "a") end,
  function() return string.gsub("a", "a", L"b") end,
  function() return string.find("hello", "l", 10) end,
  function() return string.find(L"abc", "a") end,
  function() return string.find("abc", L"a") end,
  function() return string.find(string.rep("a", 40), string.rep("(a)", 33)) end,
  function() return string.find(string.rep("a", 300), string.rep("a?", 300)) end,
}
for i, f in ipairs(errors) do print(i, message(f)) end
print(string.find(string.rep("a", 100), string.rep("a?", 100)))
