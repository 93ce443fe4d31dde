-- A script saved with CR LF line ends. Read as text, its carriage returns
-- are dropped: lines, long strings and escaped line ends read as they do
-- from a file with bare line feeds.
local long = [[
first
second]]
print(long == "first\nsecond")
print("escaped\
line end")
local ok, message = pcall(function() error("on line ten") end)
print(message)
-- A chunk made from a string keeps its carriage returns, which read as
-- white space between tokens.
print(loadstring("return 1\r\n+ 1")())
