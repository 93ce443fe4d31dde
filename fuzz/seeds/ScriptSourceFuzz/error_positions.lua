-- Error messages: what went wrong, where, and the name of the value involved.
local function try(f) local ok, message = pcall(f) print(message) end

try(function() local t; t.x = 1 end)
try(function() undefinedfunction() end)
try(function() local a = {} a.b.c = 1 end)
try(function() local a = {} a:method() end)
try(function() return {} + 1 end)
try(function() local w = L"a" return w + 1 end)
try(function() return L"5" + {} end)
try(function() return "5" & 1 end)
try(function() local n = 1 return n | {} end)
try(function() return 1 < "2" end)
try(function() return nil < nil end)
try(function() return {} <= {} end)
try(function() return "a" .. {} end)
try(function() local s = "a" return s .. nil end)
try(function() return "2" ^ "3" end)
__pow = function(a, b) return a * 10 + b end
print("2" ^ "3")
__pow = nil
try(function() for i = "a", 2 do end end)
try(function() for i = 1, {} do end end)
try(function() local t = {} t[nil] = 1 end)
try(function() local function recurse() return 1 + recurse() end return recurse() end)

-- error and assert: the level picks the function whose line is shown.
try(function() error("plain") end)
try(function() error("without position", 0) end)
try(function()
  local function check(v) if not v then error("caller's fault", 2) end end
  check(false)
end)
try(function() error(L"wide \x263A") end)
try(function() error(42) end)
try(function() assert(false) end)
try(function() assert(nil, "asserted") end)

-- Errors of library functions name the function and the argument.
try(function() setmetatable(1, {}) end)
try(function() tonumber("1", 99) end)
try(function() local t = setmetatable({}, {__metatable = true}) setmetatable(t, {}) end)
try(function() ipairs() end)

-- Syntax errors name the chunk, the line and the token.
local function compile(source) local f, message = loadstring(source, "=chunk") print(message) end
compile("x = = 1")
compile("for i = 1 do end")
compile("local s = 'unfinished")
compile("f(\n")
compile("if x then\nend end")
compile("x = 1..2")
compile("local t = {& x}")
compile("x = \"\\999\"")
compile("x = L\"\\x263A\" y = L'x'")
compile("return 0x")
