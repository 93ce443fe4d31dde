-- GetTag: the table's own value, else the style chain in force; a chain
-- that comes back on itself ends the search.

local base = { font = "base font", size = 10 }
local bold = { font = "bold font", flags = false }
SetStyle(base)()
AppendStyle(bold)()
Print("bold's parent is base", bold.parent == base)

local cases = {
  -- table, key, in-style flag
  { "own value", { font = "own font" }, "font" },
  { "from the style in force", {}, "font" },
  { "up the chain", {}, "size" },
  { "false falls through", { size = false }, "size" },
  { "missing everywhere", {}, "colour" },
  { "a style, flag set", bold, "size", true },
  { "a style, flag set, false in it", bold, "flags", true },
  { "a plain table, flag set", { parent = base }, "size", true },
  { "a plain table's parent without the flag", { parent = { colour = "red" } }, "colour" },
}
for i = 1, table.getn(cases) do
  local case = cases[i]
  Print(case[1], GetTag(case[2], case[3], case[4]))
end

-- The same style appended at two nesting levels becomes its own parent.
local cycle = { colour = "blue" }
SetStyle(base)()
AppendStyle(cycle)()
AppendStyle(cycle)()
Print("cycle's parent is itself", cycle.parent == cycle)
Print("found in the cycle", GetTag({}, "colour"))
Print("missing in the cycle", GetTag({}, "size"))
Print("missing in the cycle, flag set", GetTag(cycle, "size", true))

-- A longer loop: a -> b -> a.
local a = { name = "a" }
local b = { name = "b", parent = a }
a.parent = b
Print("two-table loop", GetTag(a, "width", true), GetTag(a, "name", true))

Print("a non-table parent ends the chain", GetTag({ parent = "nothing" }, "size", true))
Print("SetDefaultStyle", SetDefaultStyle(cycle), gCurrentDefaultStyle == cycle)
