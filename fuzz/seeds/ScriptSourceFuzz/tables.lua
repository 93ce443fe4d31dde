-- Constructors, list stores beyond one flush of 32 items, open lists, and
-- assignment of nil.
local t = {10, 20, 30, x = 1, ["y"] = 2, [4] = 40}
print(t[1], t[3], t[4], t.x, t.y, t[5])
t.x = nil
t[1] = nil
print(t.x, t[1], t[2])
local big = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
             21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,
             41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60,
             61, 62, 63, 64, 65, 66, 67, 68, 69, 70}
print(big[1], big[32], big[33], big[64], big[65], big[70], big[71])
local function three() return 7, 8, 9 end
local open = {1, three()}
print(open[1], open[2], open[3], open[4], open[5])
local closed = {three(), 1}
print(closed[1], closed[2], closed[3])
local nested = {a = {b = {c = "deep"}}}
print(nested.a.b.c)
nested.a.b.c = "changed"
print(nested["a"]["b"]["c"])
