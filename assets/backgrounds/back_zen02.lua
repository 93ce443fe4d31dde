-- A rose dusk for Zen play: the moon glows above, a ring of light turns the
-- other way, and the lotus breathes slowly.
Animations = {
  { filename = "backgrounds/scenes/sky-zenrose", Pos = {400, 300} },
  { filename = "backgrounds/scenes/moon", Pos = {150, 110}, Alpha = 0.8 },
  { filename = "backgrounds/scenes/halo", Pos = {400, 300}, Scale = 2.3, Alpha = 0.4,
    { __type__ = "Loop",
      { __type__ = "SetRotation", duration = 100000, start = 360, ["end"] = 0 } } },
  { filename = "backgrounds/scenes/mandala", Pos = {400, 300}, Scale = 1.6, Alpha = 0.2,
    { __type__ = "Loop",
      { __type__ = "Event", start = 0,
        { __type__ = "SetScale", duration = 6000, start = 1.6, ["end"] = 1.8 } },
      { __type__ = "Event", start = 6000,
        { __type__ = "SetScale", duration = 6000, start = 1.8, ["end"] = 1.6 } } } },
}
