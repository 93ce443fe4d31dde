-- string.format: C conversions with flags, width and precision (integers are
-- 32-bit whatever the host), the quoting conversions %q and %Q, %B for truth
-- values and %b for the raw bytes of numbers.
local function bytes(s)
  local parts = {}
  for i = 1, string.len(s) do parts[i] = string.byte(s, i) end
  return table.concat(parts, " ")
end

local cases = {
  {"%d", 42},
  {"%5d|", 42},
  {"%-5d|", 42},
  {"%05d", -42},
  {"%+d", 7},
  {"%d", 3.99},
  {"%d", -3.99},
  {"%d", 4294967295},
  {"%d", 2147483648},
  {"%i", 1e10},
  {"%u", -1},
  {"%x", 255},
  {"%X", 3735928559},
  {"%#x", 255},
  {"%o", 8},
  {"%x", -2},
  {"%c", 65},
  {"%5.2f", 3.14159},
  {"%.3e", 12345.678},
  {"%g", 0.0001},
  {"%g", 1e20},
  {"%G", 1e-20},
  {"%s|", "text"},
  {"%10s|", "text"},
  {"%-10s|", "text"},
  {"%.2s", "text"},
  {"%s", 12},
  {"%5.1s|", "abc"},
  {"%%d", 1},
  {"[%s] [%d]", "a", 2},
  {"%" .. string.rep("-", 17) .. "5d|", 1},
  {"%q", 'say "hi"\n'},
  {"%q", "a\0b\\"},
  {"%Q", "tab\tquote\"back\\"},
  {"%Q", "a\nb\1"},
  {"%Q", "\7\8\11\12\13\255"},
  {"%Q", L"\x263A!"},
  {"%Q", L"a\xE9\""},
  {"%5B|", true},
}
for i, case in ipairs(cases) do print(i, string.format(unpack(case))) end
print(string.format("%B %B %B", true, false, nil))

print(bytes(string.format("%bw", 258)))
print(bytes(string.format("%bb", 300)))
print(bytes(string.format("%bd", -2)))
print(bytes(string.format("%bd", 3.9)))
print(bytes(string.format("%bf", 1)))
print(bytes(string.format("%bF", 1)))
print(bytes(string.format("<%bq>", 1)))
print(bytes(string.format("%bw%bw", 1, 2)))

local long = string.rep("x", 150)
print(string.len(string.format("%s", long)), string.len(string.format("%5s", long)),
      string.len(string.format("%.99s", long)))

local function message(f)
  local ok, text = pcall(f)
  return (string.gsub(text, "^[^:]*:%d+: ", ""))
end
local errors = {
  function() return string.format("%d") end,
  function() return string.format("%d", "x") end,
  function() return string.format("%s", {}) end,
  function() return string.format("%s", L"w") end,
  function() return string.format("%B", 1) end,
  function() return string.format("%Q", true) end,
  function() return string.format("%y", 1) end,
  function() return string.format("%") end,
  function() return string.format("%-") end,
  function() return string.format("%b", 1) end,
  function() return string.format("%5b") end,
  function() return string.format("%123d", 1) end,
  function() return string.format("%.123f", 1) end,
  function() return string.format("%" .. string.rep("-", 18) .. "5d", 1) end,
  function() return string.format("%1$d", 1) end,
  function() return string.format("%s%d", string.rep("y", 600)) end,
  function() return string.format(L"%d", 1) end,
}
for i, f in ipairs(errors) do print(i, message(f)) end
