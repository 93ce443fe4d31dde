-- Arithmetic on numbers and on texts that read as numbers, byte or wide.
print(1 + 2, 7 - 10, 6 * 7, 1 / 4, 2 - 0.5)
print("5" + 1, "10" / "4", " 3 " * "2", L"7" * 2, L"0x10" + 1, L"1.5" - "0.5")
local two, three = "2", L"3"
print(-two, -three, - -4)
print(1e15 + 1, 0.1 + 0.2, 100000000000000, 1 / 3)
