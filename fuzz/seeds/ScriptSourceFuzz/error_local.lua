print("before")
local w = L"a"
w = w + 1
print("after")
