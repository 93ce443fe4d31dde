-- A still teal evening for Zen play: a pale lotus turns behind the tower
-- and a cloud drifts by.
Animations = {
  { filename = "backgrounds/scenes/sky-zenteal", Pos = {400, 300} },
  { filename = "backgrounds/scenes/mandala", Pos = {400, 300}, Scale = 2.1, Alpha = 0.3,
    { __type__ = "Loop",
      { __type__ = "SetRotation", duration = 120000, start = 0, ["end"] = 360 } } },
  { filename = "backgrounds/scenes/cloud-3", Pos = {940, 110}, Alpha = 0.35,
    { __type__ = "Loop",
      { __type__ = "SetPos", duration = 70000, start = {940, 110}, ["end"] = {-140, 110} } } },
}
