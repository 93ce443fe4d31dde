-- Two petals fall, turning, down the sides of the screen, over and over.
Animations = {
  { filename = "backgrounds/scenes/petal", Pos = {80, -20}, Alpha = 0.7,
    { __type__ = "Loop",
      { __type__ = "SetPos", duration = 14000, start = {80, -20}, ["end"] = {150, 620} },
      { __type__ = "SetRotation", duration = 14000, start = 0, ["end"] = 540 } } },
  { filename = "backgrounds/scenes/petal", Pos = {720, -20}, Alpha = 0.6, Scale = 0.8,
    { __type__ = "Event", start = 6000,
      { __type__ = "Loop",
        { __type__ = "SetPos", duration = 17000, start = {720, -20}, ["end"] = {650, 620} },
        { __type__ = "SetRotation", duration = 17000, start = 0, ["end"] = -450 } } } },
}
