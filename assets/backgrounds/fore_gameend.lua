-- Sparkles rise at the lower corners in celebration, five times each.
Animations = {
  { filename = "backgrounds/scenes/star", Pos = {90, 600}, Alpha = 0,
    { __type__ = "Loop", counter = 5,
      { __type__ = "SetPos", duration = 2400, start = {90, 600}, ["end"] = {130, 380} },
      { __type__ = "SetAlpha", duration = 2400, start = 0.9, ["end"] = 0 } } },
  { filename = "backgrounds/scenes/star", Pos = {710, 600}, Alpha = 0, Scale = 0.8,
    { __type__ = "Event", start = 1200,
      { __type__ = "Loop", counter = 5,
        { __type__ = "SetPos", duration = 2600, start = {710, 600}, ["end"] = {660, 400} },
        { __type__ = "SetAlpha", duration = 2600, start = 0.9, ["end"] = 0 } } } },
}
