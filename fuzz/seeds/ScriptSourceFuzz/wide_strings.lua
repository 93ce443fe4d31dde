-- Wide strings: literals, escapes, equality, table keys, concatenation, and
-- the conversions between wide strings, byte strings and numbers. `print`
-- writes wide strings as UTF-8.
local w = L"wide"
print(type(w), w, w == L"wide", w == "wide", L"" == L"")

-- A wide string and a byte string of the same text are different keys.
local keys = {}
keys[L"k"] = "wide key"
keys["k"] = "byte key"
print(keys[L"k"], keys["k"])

-- Escapes: \x takes up to four hex digits in a wide string, two in a byte string.
print(L"\x263A", L"\65\66", L"x\ty", L"\x41G")
print("\x41BC", "\65\66")

-- Units beyond ASCII and surrogate pairs; a lone surrogate prints as U+FFFD.
print(L"\xE9t\xE9", L"\xD83D\xDE00", L"[\xD83D]")

-- Concatenation: the topmost string decides; numbers follow it.
print(L"a" .. 1 .. L"b", 1 .. L"x", L"" .. 2.5, type(1 .. L""))
print(pcall(function() return L"a" .. "b" end))
print(pcall(function() return "a" .. L"b" end))

-- tostring keeps the low byte of each unit; towstring widens each byte.
print(tostring(L"A\x263A"), type(tostring(L"x")))
print(towstring("caf\233") == L"caf\xE9", towstring("abc") == L"abc")
print(towstring(12.5), towstring(nil), type(towstring(nil)), towstring(L"same"))

-- Wide text converts to numbers, hexadecimal forms included; byte text only
-- in decimal.
print(L"12" + 1, L"0x10" + 0, L"1e2" * 1, "12" + 1)
print(tonumber(L"0x1F"), tonumber(L"0x.8"), tonumber(L"0x1.8p1"), tonumber(L"0x1p4"))
print(tonumber(L"-0x10"), tonumber(L" 12"), tonumber(L"12  "), tonumber(L"1e2"))
print(tonumber("0x10"), tonumber(" 12 "), tonumber("1e2"), tonumber("12a"))
print(tonumber("ff", 16), tonumber(L"ff", 16), tonumber("777", 8), tonumber("-1", 2))
print(tonumber("zz", 36), tonumber("ffffffffff", 16), tonumber("12", 2))

-- Numbers become wide text in wide concatenation and through towstring.
local n = 7
print(L"n=" .. n, towstring(n * 2) == L"14")
