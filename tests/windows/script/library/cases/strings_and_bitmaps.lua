-- GetString and SetBitmap over the real _GetString and _SetBitmap.

UseStrings("greet", "Hello %1%, %2%!", "three", "[%1%|%2%|%3%]")
local cases = {
  { "every argument", "greet", "Ann", "Bob" },
  { "missing arguments are empty", "greet", "Ann" },
  { "none at all", "three" },
  { "a gap", "three", nil, "middle" },
  { "an unknown label", "nothing" },
}
for i = 1, table.getn(cases) do
  local case = cases[i]
  Print(case[1], GetString(case[2], case[3], case[4]))
end

-- The default scale is 1: the image window takes the image's own size.
AddImage("art/face.png", 40, 20)
MakeDialog{ Bitmap{ name = "pic", x = 10, y = 10 }, Bitmap{ name = "half", x = 100, y = 10 } }
SetBitmap("pic", "art/face.png")
SetBitmap("half", "art/face.png", 0.5)
PrintTree()
Print("loaded", ImageLoaded("pic"), ImageLoaded("half"))
