-- The plain string functions, called through the table "string" and as
-- methods of byte strings; lualex turns backslash escapes into characters.
local function bytes(s)
  local parts = {}
  for i = 1, string.len(s) do parts[i] = string.byte(s, i) end
  return table.concat(parts, " ")
end

print(string.len(""), string.len("abc"), string.len("a\0b"), string.len(123))
print(("abc"):upper(), ("MiXeD 1!"):lower(), ("abc"):len(), ("x"):rep(3))
print(getmetatable("abc") == string, ("abc").len == string.len)

-- subject, i [, j]
local subs = {
  {"hello", 2}, {"hello", 2, 3}, {"hello", -3}, {"hello", -3, -2}, {"hello", 0},
  {"hello", 4, 2}, {"hello", 2, 100}, {"hello", -100, 2}, {"hello", 6},
}
for i, case in ipairs(subs) do print(i, "[" .. string.sub(unpack(case)) .. "]") end

print(string.rep("ab", 3), "[" .. string.rep("ab", 0) .. "]", "[" .. string.rep("ab", -1) .. "]")
print(string.byte("ABC"), string.byte("ABC", 2), string.byte("ABC", -1), string.byte("\255"))
print(string.byte("ABC", 4), string.byte("ABC", 0), string.byte(""))
print(string.char(72, 105), "[" .. string.char() .. "]", bytes(string.char(0, 255)))

local f = loadstring(string.dump(function(a) return a * 2 end))
print(f(21))

-- text, wide flag: the results as bytes
local escapes = {
  {"a\\tb", 0},
  {"\\65B", 0},
  {"\\xZ", 0},
  {"\\x41\\x4a\\x4", 0},
  {"\\x263A", 0},
  {"\\a\\b\\f\\n\\r\\t\\v", 0},
  {"\\\\\\\"\\q", 0},
  {"\\321\\0009", 0},
  {"end\\", 0},
  {"a\0\\\0n\0", 1},
  {"\\\0x\0002\0006\0003\0A\0", 1},
  {"\\\0x\0004\0", 1},
  {"\\\0x\0", 1},
  {"\\\0006\0005\0", 1},
  {"a\0b", 1},
}
for i, case in ipairs(escapes) do print(i, bytes(string.lualex(unpack(case)))) end

local function message(f)
  local ok, text = pcall(f)
  return (string.gsub(text, "^[^:]*:%d+: ", ""))
end
local errors = {
  function() return string.upper(L"abc") end,
  function() return ("abc"):rep() end,
  function() return string.len() end,
  function() return string.sub("abc") end,
  function() return string.char(256) end,
  function() return string.char(65, -1) end,
  function() return string.dump(print) end,
  function() return string.dump("f") end,
  function() return string.lualex(L"\\n", 0) end,
  function() return string.byte({}) end,
  function() return string.dump(function() return f end) end,
}
for i, f in ipairs(errors) do print(i, message(f)) end
