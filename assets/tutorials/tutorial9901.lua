-- The closing level at the end of the Journey, under the game-end
-- slideshow: nothing to do but look. The player's rings stay put while the
-- tower turns its first ring by itself. No three pieces of one colour ever
-- line up (tutorial9901.txt), and nothing is taken away even so.
Tutorial = {
  {
    __type__ = "Event",
    __eventname__ = "StartNow",
    LockRings = { 2, 3, 4, 5 },
    BombActivity = false,
    Elimination = 0,
  },
  {
    __type__ = "Event",
    __eventname__ = "turn",
    MoveRing = { 1, 3 },
  },
  -- The runner keeps its last event waiting; "Continue" ends the level.
  { __type__ = "Event", __eventname__ = "end" },
}
