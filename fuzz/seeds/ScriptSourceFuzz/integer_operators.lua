-- & | << >> and ^ work on the low 32 bits of their operands (truncated
-- toward zero) and give unsigned results; shift counts are taken modulo 32.
print(5 & 3, 5 | 3, 1 << 31, 1 << 32, -1 >> 28)
print(-1 & -1, 2.9 & 7, -2.5 | 0)
print(1 << 33, 1 << -1, 256 >> 4, 256 >> 36)
print(6 ^ 3, 2 ^ 3, (-1) ^ 0, 5 ^ 5)
print(4294967296 | 0, 4294967297 | 0, 1e300 | 0, -4294967295 | 0)
local x, y = 12, 10
print(x & y, x | y, x ^ y, x << 2, x >> 2)
