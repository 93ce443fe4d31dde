-- An error with a wide message that nobody catches: its position is joined
-- as wide text, and the runner writes the message as UTF-8.
local function check(value)
  if value ~= L"\xE9t\xE9" then error(L"unexpected \x263A: " .. value, 2) end
end
print("checking")
check(L"\xE9t\xE9")
check(L"hiver")
print("not reached")
