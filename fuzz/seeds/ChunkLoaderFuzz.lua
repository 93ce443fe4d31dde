-- Prints one line per seed of the chunk loader's fuzzing program: its file
-- name and its bytes in hexadecimal. The seeds are the precompiled chunks of
-- the script files listed in `cases` (set by the caller) that compile and of a few
-- straight-line scripts, which the fuzzing program also runs.

local straight = {
  "local a, b = 1, 2; local t = {a, b, x = a + b}; t.y = t.x * 2 - b / 4 ^ 2",
  "local s = 'abc' .. 10 .. '\\x41'; local w = L\"wide\"; return s, w, 0xFF",
  "local function f(x, ...) return x, arg end; return f(1, 2, 3)",
  "local u = 1; local function g() u = u + 1; return u end; return g()",
  "local t = {}; t[1.5] = true; t[L\"k\"] = false; return not t[1.5] and nil or t",
  "local a, b = 6 & 3, 5 | 8; local c = a ^ b << 2 >> 1; return a < b, b <= c, a ~= c",
}

local function hex(bytes)
  return (string.gsub(bytes, ".", function(c) return string.format("%02x", string.byte(c)) end))
end

local function emit(name, f)
  print(name .. " " .. hex(string.dump(f)))
end

for i, source in ipairs(straight) do
  emit(string.format("straight%d.luac", i), assert(loadstring(source, "=seed")))
end
for _, file in ipairs(cases) do
  local f = loadfile("::" .. file)  -- a case of a syntax error gives no chunk
  if f then
    local name = string.gsub(string.gsub(file, "^.*/cases/(.*)%.lua$", "%1"), "/", "_")
    emit(name .. ".luac", f)
  end
end
