-- Prints one line per seed of the string.pack fuzzing program: its file name
-- and its bytes in hexadecimal. The seeds are every pack and unpack call of
-- the script case given as `case` (set by the caller), recorded while the
-- case runs with its printing silenced: a packed result becomes the data of
-- its own format, an unpack call keeps its data and start position. A seed is
-- the format, a zero byte, the start position less one as a byte, the data;
-- seeds over 4 KiB are left out.

local pack, unpackbytes = string.pack, string.unpack
local seeds, seen = {}, {}

local kLargest = 4096  -- larger ones slow the fuzzing down and add nothing

local function record(format, init, data)
  local seed = format .. "\0" .. string.char(init - 1) .. data
  if not seen[seed] and string.len(seed) <= kLargest then
    seen[seed] = true
    table.insert(seeds, seed)
  end
end

string.pack = function(format, ...)
  local packed = pack(format, unpack(arg))
  record(format, 1, packed)
  return packed
end
string.unpack = function(data, format, init)
  if type(data) == "string" and type(format) == "string" then
    local start = type(init) == "number" and init or 1
    if start >= 1 and start <= 256 then record(format, start, data) end
  end
  return unpackbytes(data, format, init)
end

local realprint = print
print = function() end
assert(loadfile("::" .. case))()
print = realprint
string.pack, string.unpack = pack, unpackbytes

for i, seed in ipairs(seeds) do
  local hex = string.gsub(seed, ".", function(c) return string.format("%02x", string.byte(c)) end)
  print(string.format("case%03d", i) .. " " .. hex)
end
