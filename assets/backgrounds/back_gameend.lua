-- Dawn at the end of the journey: the sun rises over the hills and, once
-- up, swells a little; a ring of light turns around it.
Animations = {
  { filename = "backgrounds/scenes/sky-dawn", Pos = {400, 300} },
  { filename = "backgrounds/scenes/halo", Pos = {400, 170}, Scale = 1.8, Alpha = 0,
    { __type__ = "Event", start = 3000,
      { __type__ = "SetAlpha", duration = 2000, start = 0, ["end"] = 0.5 } },
    { __type__ = "Loop",
      { __type__ = "SetRotation", duration = 60000, start = 0, ["end"] = 360 } } },
  { filename = "backgrounds/scenes/sun", Pos = {400, 560}, Scale = 0.9,
    { __type__ = "Event", start = 500,
      { __type__ = "SetPos", duration = 4000, start = {400, 560}, ["end"] = {400, 170} },
      { __type__ = "Event", start = 4000,
        { __type__ = "SetScale", duration = 2500, start = 0.9, ["end"] = 1.15 } } } },
}
