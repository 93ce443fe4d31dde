-- Mist along the foot of the screen, drifting to and fro, faint enough to
-- leave the tower clear.
Animations = {
  { filename = "backgrounds/scenes/mist", alphamap = "backgrounds/scenes/mist-a",
    Pos = {300, 560}, Alpha = 0.35, Scale = 1.3,
    { __type__ = "Loop",
      { __type__ = "Event", start = 0,
        { __type__ = "SetPos", duration = 9000, start = {300, 560}, ["end"] = {500, 565} } },
      { __type__ = "Event", start = 9000,
        { __type__ = "SetPos", duration = 9000, start = {500, 565}, ["end"] = {300, 560} } } } },
}
