-- Image scales come from scripts. One that is not a positive number counts
-- as 1 (logged), so that the image keeps its own size and place; a huge one
-- sizes the window no further than placed extents go, a tiny one to nothing.

AddImage("art/face.png", 40, 20)
local unusable = { { "nan", 0 / 0 }, { "infinite", 1 / 0 }, { "zero", 0 }, { "negative", -2 } }
for i = 1, table.getn(unusable) do
  local name, scale = unusable[i][1], unusable[i][2]
  MakeDialog{ Bitmap{ name = name, image = "art/face.png", scale = scale, x = 10 * i, y = 10 } }
end
MakeDialog{ Bitmap{ name = "set", x = 100, y = 100 } }
SetBitmap("set", "art/face.png", -1 / 0)
PrintTree()

SetBitmap("set", "art/face.png", 1e10)
PrintTree()
SetBitmap("set", "art/face.png", 1e-30)
PrintTree()
