-- Order of numbers and byte strings, equality of every kind.
print(1 < 2, 2 <= 2, 3 > 4, 4 >= 4, -1 < -0.5)
print("a" < "b", "abc" < "abd", "Z" < "a", "" < "a", "ab" <= "a")
print(1 == 1, "a" == "a", L"a" == L"a", L"a" == "a", nil == false, 1 == "1")
local t = {}
print(t == t, t == {}, t ~= {}, print == print)
