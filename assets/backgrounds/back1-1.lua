-- Dusk over the hills: the moon rises and brightens once, two clouds drift
-- across the sky without end, the second setting out later.
Animations = {
  { filename = "backgrounds/scenes/sky-dusk", Pos = {400, 300} },
  { filename = "backgrounds/scenes/moon", Pos = {640, 250}, Alpha = 0,
    { __type__ = "Event", start = 0,
      { __type__ = "SetPos", duration = 8000, start = {640, 250}, ["end"] = {640, 110} },
      { __type__ = "SetAlpha", duration = 4000, start = 0, ["end"] = 0.9 } } },
  { filename = "backgrounds/scenes/cloud-1", Pos = {-140, 90}, Alpha = 0.55,
    { __type__ = "Loop",
      { __type__ = "SetPos", duration = 45000, start = {-140, 90}, ["end"] = {940, 90} } } },
  { filename = "backgrounds/scenes/cloud-2", Pos = {-140, 200}, Alpha = 0.4, Scale = 0.8,
    { __type__ = "Event", start = 12000,
      { __type__ = "Loop",
        { __type__ = "SetPos", duration = 60000, start = {-140, 200}, ["end"] = {940, 200} } } } },
}
