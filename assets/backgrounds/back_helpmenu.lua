-- The help screens' quiet ink-blue sky with a ring of light turning slowly.
Animations = {
  { filename = "backgrounds/scenes/sky-help", Pos = {400, 300} },
  { filename = "backgrounds/scenes/halo", Pos = {400, 300}, Scale = 2.2, Alpha = 0.35,
    { __type__ = "Loop",
      { __type__ = "SetRotation", duration = 90000, start = 0, ["end"] = 360 } } },
}
