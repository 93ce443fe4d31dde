-- Two small sparkles in the upper corners: each pulses three times, then
-- fades to a glimmer that stays.
Animations = {
  { filename = "backgrounds/scenes/star", Pos = {40, 40}, Alpha = 0.6, Scale = 0.6,
    { __type__ = "Loop", counter = 3,
      { __type__ = "Event", start = 0,
        { __type__ = "SetScale", duration = 800, start = 0.6, ["end"] = 1.1 } },
      { __type__ = "Event", start = 800,
        { __type__ = "SetScale", duration = 800, start = 1.1, ["end"] = 0.6 } } },
    { __type__ = "Event", start = 4800,
      { __type__ = "SetAlpha", duration = 1500, start = 0.6, ["end"] = 0.25 } } },
  { filename = "backgrounds/scenes/star", Pos = {760, 40}, Alpha = 0.5, Scale = 0.5,
    { __type__ = "Loop", counter = 3,
      { __type__ = "Event", start = 400,
        { __type__ = "SetScale", duration = 700, start = 0.5, ["end"] = 1 } },
      { __type__ = "Event", start = 1100,
        { __type__ = "SetScale", duration = 700, start = 1, ["end"] = 0.5 } } },
    { __type__ = "Event", start = 5400,
      { __type__ = "SetAlpha", duration = 1500, start = 0.5, ["end"] = 0.2 } } },
}
