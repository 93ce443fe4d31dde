-- A clear day sky for the tutorials, with clouds drifting slowly.
Animations = {
  { filename = "backgrounds/scenes/sky-tutorial", Pos = {400, 300} },
  { filename = "backgrounds/scenes/cloud-1", Pos = {-140, 80}, Alpha = 0.8,
    { __type__ = "Loop",
      { __type__ = "SetPos", duration = 50000, start = {-140, 80}, ["end"] = {940, 80} } } },
  { filename = "backgrounds/scenes/cloud-3", Pos = {940, 170}, Alpha = 0.6, Scale = 0.7,
    { __type__ = "Loop",
      { __type__ = "SetPos", duration = 65000, start = {940, 170}, ["end"] = {-140, 170} } } },
}
