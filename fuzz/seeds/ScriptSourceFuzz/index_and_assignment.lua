-- Indexing and assignment in the machine: array slots and hash keys, and the
-- "__index" and "__newindex" metamethods that empty ones fall back on.
local log = {}
local t = setmetatable({1, nil, 3}, {
  __index = function(t, k) return "missing " .. k end,
  __newindex = function(t, k, v)
    table.insert(log, k .. "=" .. tostring(v))
    rawset(t, k, v)
  end,
})
print(t[1], t[2], t[3], t[4], t.x)
t[1] = 10
t[2] = 20
t.x = "y"
t.x = "z"
print(t[1], t[2], t.x, table.concat(log, " "))
local plain = {1, 2, 3}
plain[2] = nil
plain[2] = "back"
plain[4] = 4
print(plain[2], plain[4], table.getn(plain))
