-- string.pack and string.unpack: the same sizes on every host ('i', 'I', 'l'
-- and 'L' are 4 bytes), byte orders, wide items, fixed-width fields, and
-- reading that stops at the first item that does not fit.
local function bytes(s)
  local parts = {}
  for i = 1, string.len(s) do parts[i] = string.byte(s, i) end
  return table.concat(parts, " ")
end

local function show(...)
  local parts = {}
  for i = 1, arg.n do
    local v = arg[i]
    if type(v) == "string" or type(v) == "wstring" then
      parts[i] = string.format("%Q", v)
    else
      parts[i] = tostring(v)
    end
  end
  return table.concat(parts, " ")
end

-- format, arguments...
local packs = {
  {"b", 200},
  {"b", -1},
  {"c", -2},
  {"h", -2},
  {">H", 1},
  {"<H", 1},
  {"i", -2},
  {">i", 258},
  {"I", 4294967295},
  {"l", 1},
  {"L", 1},
  {"f", 1},
  {">f", 1},
  {"d", 1},
  {"n", -2},
  {"B", true},
  {"B2", false, true},
  {"i2", 1, 2},
  {"A", "ab"},
  {"A2", "a", "b"},
  {"z", "ab"},
  {"p", "ab"},
  {"P", "ab"},
  {">P", "ab"},
  {"a", "ab"},
  {"A", 12},
  {"wA", L"hi"},
  {"wz", L"hi"},
  {">wz", L"hi"},
  {"wp", L"\x263A"},
  {"wa", L"a"},
  {"wA", 7},
  {"wi", 1},
  {"b, b b", 1, 2, 3},
  {"@4:32A@", "ab"},
  {"@4A@", "ab"},
  {"@2A@", "abc"},
  {"A@3:46A@A", "x", "y", "z"},
  {"@2:49A@@3:50A@", "a", "b"},
  {"@2:49A@3:50A@", "a", "b"},
  {"bw", 5},
}
for i, case in ipairs(packs) do print(i, bytes(string.pack(unpack(case)))) end

-- A field's width counts from its opening, however long the text before it.
local packed = string.pack("A@600:45A@A", string.rep("x", 300), string.rep("y", 400), "z")
print(string.len(packed), string.sub(packed, 300, 302), string.sub(packed, 700, 702),
      string.sub(packed, 900, 902))
print(string.len(string.pack("@1000A@", "ab")))
print(string.len(string.pack("p", string.rep("x", 255))),
      string.len(string.pack("P", string.rep("x", 65535))))

-- data, format [, init]: the position after the last byte read, then the values
local unpacks = {
  {string.pack("i", -2), "i"},
  {"\255\255\255\255", "I"},
  {"\255\255\255\255", "i"},
  {"\255\255\255\255", "L"},
  {"\255\255", "h"},
  {"\255\255", "H"},
  {"\255", "b"},
  {"\255", "c"},
  {"\0\1", ">H"},
  {"\0\1", "<H"},
  {"\1\0\2\0", "h2"},
  {"\0\2", "B2"},
  {string.pack("f", 0.5), "f"},
  {string.pack(">d", -1.25), ">d"},
  {"abcdef", "A3"},
  {"abcdef", "A2A"},
  {"abcdef", "A2", 3},
  {"ab", "A3"},
  {"ab\0cd\0", "z2"},
  {"ab\0cd", "z2"},
  {"abc", "z"},
  {"\2ab", "p"},
  {"\0\2ab", ">P"},
  {"\2\0\0\0abc", "a"},
  {"\5ab", "p"},
  {"\255\255\255\255ab", "a"},
  {"h\0i\0", "wA2"},
  {"h\0i\0\0\0x", "wz"},
  {"\0h\0i\0\0", ">wz"},
  {"h\0i\0", "wz"},
  {"\1:&", "wp"},
  {"ab", "bbb"},
  {"ab", "b", 5},
  {"ab", "z", 9},
  {"ab", ""},
  {"abc", "b, b b"},
}
for i, case in ipairs(unpacks) do print(i, show(string.unpack(unpack(case)))) end

local function message(f)
  local ok, text = pcall(f)
  return (string.gsub(text, "^[^:]*:%d+: ", ""))
end
local errors = {
  function() return string.pack("x", 1) end,
  function() return string.unpack("ab", "@") end,
  function() return string.pack("i") end,
  function() return string.pack("i", "x") end,
  function() return string.pack("B", 1) end,
  function() return string.pack("A", {}) end,
  function() return string.pack("A", L"w") end,
  function() return string.pack("wA", "b") end,
  function() return string.pack("p", string.rep("x", 256)) end,
  function() return string.pack("P", string.rep("x", 65536)) end,
  function() return string.pack("wp", towstring(string.rep("x", 256))) end,
  function() return string.pack("A i", string.rep("x", 600)) end,
  function() return string.unpack("ab", "b", 0) end,
  function() return string.unpack("ab", "b", -1) end,
  function() return string.unpack("ab") end,
}
for i, f in ipairs(errors) do print(i, message(f)) end
