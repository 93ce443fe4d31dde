-- The closing level at the end of the Journey: nothing to do but look. The
-- tower turns its first ring by itself, and a word of thanks shows until
-- the game-end slideshow takes the screen. No three pieces of one colour
-- ever line up (tutorial9901.txt), and nothing is taken away even so.
Tutorial = {
  {
    __type__ = "Event",
    __eventname__ = "StartNow",
    LockRings = { 2, 3, 4, 5 },
    BombActivity = false,
    Elimination = 0,
    MoveRing = { 1, 3 },
  },
  {
    __type__ = "Event",
    __eventname__ = "thanks",
    Dialog = {
      { { 400, 96 }, "The Journey is complete! Thank you for playing." },
    },
  },
  -- The runner keeps its last event waiting; "Continue" ends the level.
  { __type__ = "Event", __eventname__ = "end" },
}
