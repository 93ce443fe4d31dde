-- Values that are not tables are indexed through the table of their type:
-- fields read from it and assignments store into it.
local n, s = 5, "abc"
print(n.x, s.len == string.len, (true).flag)
s.shout = function(self) return self .. "!" end
print(("hi"):shout(), s:shout())
n.half = function(self) return self / 2 end
print((10):half(), (7).half == n.half)
local b = false
b.flag = "set"
print((true).flag)
local f = print
f.tag = "function"
print(print.tag)
