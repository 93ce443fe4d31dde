-- Byte and wide concatenation: the topmost string operand picks the kind,
-- numbers take that kind.
print("a" .. 1 .. "b", 1 .. 2, 1.5 .. "", "x" .. "" .. "y")
local w = L"a" .. 1 .. L"b"
print(w, w == L"a1b", w == "a1b")
print(1 .. 2 .. L"x" == L"12x", L"x" .. 2.5 == L"x2.5", L"" .. 7 == L"7")
local s = ""
for i = 1, 10 do s = s .. i end
print(s)
local parts = L""
for i = 1, 3 do parts = parts .. L"<" .. i .. L">" end
print(parts, parts == L"<1><2><3>")
