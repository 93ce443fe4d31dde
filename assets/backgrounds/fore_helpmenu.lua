-- One sparkle in the top right corner, brightening and dimming.
Animations = {
  { filename = "backgrounds/scenes/star", Pos = {765, 35}, Alpha = 0.2, Scale = 0.7,
    { __type__ = "Loop",
      { __type__ = "Event", start = 0,
        { __type__ = "SetAlpha", duration = 1600, start = 0.2, ["end"] = 0.6 } },
      { __type__ = "Event", start = 1600,
        { __type__ = "SetAlpha", duration = 1600, start = 0.6, ["end"] = 0.2 } } } },
}
