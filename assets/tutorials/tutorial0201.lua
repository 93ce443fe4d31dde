-- The tutorial that opens world 2: how a ring turns and how three pieces of one colour in
-- a column vanish. Rings count from 1 (the innermost), cells of highlights
-- from 0; positions are screen pixels of the 800 x 600 play field.
Tutorial = {
  -- The tower turns its first ring by itself while the others stay put, and
  -- moves on as soon as the turn has settled.
  {
    __type__ = "Event",
    __eventname__ = "StartNow",
    LockRings = { 2, 3, 4, 5 },
    BombActivity = false,
    MoveRing = { 1, 1 },
    FixArrows = { { 330, 300, r = 180 }, { 470, 300, r = 0 } },
  },
  {
    __type__ = "Event",
    __eventname__ = "welcome",
    LockRings = { 2, 3, 4, 5 },
    Highlights = { { 0, 0 }, { 0, 1 }, { 0, 2, absolute = true } },
    Overlay = { { 400, 300 }, "sprites/jugs/jug-glow-ends" },
    ModalDialog = {
      { { 400, 118 }, "Welcome to the tower! Its rings turn when you drag them, and the highlighted pieces ride along." },
    },
  },
  {
    __type__ = "Event",
    __eventname__ = "turn",
    __delay__ = 800,
    Elimination = 1,
    FixArrow = { 490, 300, r = 0 },
    Dialog = {
      { { 400, 118 }, "Now drag any ring sideways until three pieces of one colour stand in a column." },
    },
  },
  {
    __type__ = "Event",
    __eventname__ = "done",
    ModalDialogEndGame = {
      { { 400, 118 }, "Well done! Every match of three or more clears the tower a little further." },
    },
  },
  -- The runner keeps its last event waiting; the level has ended before.
  { __type__ = "Event", __eventname__ = "end" },
}
