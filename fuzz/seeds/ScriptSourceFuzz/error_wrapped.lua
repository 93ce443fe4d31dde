-- An error inside a wrapped coroutine, raised again where the wrapper was
-- called, with that position, and caught by nobody.
local step = coroutine.wrap(function()
  coroutine.yield("first")
  error("second step failed", 0)
end)
print(step())
step()
