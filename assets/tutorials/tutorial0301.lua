-- The tutorial that opens world 3: bombs. The tower is laid out in
-- tutorial0301.xml with a bomb in the first ring's third slot and another
-- in the third ring's eighth. Rings and slots of "ExplodePowerUp" count
-- from 1; an "Arrow" or a highlight at { -1, -1 } marks the first bomb on
-- the tower, wherever the rings have taken it.
Tutorial = {
  -- The bomb is pointed out while the rings stand still.
  {
    __type__ = "Event",
    __eventname__ = "bomb",
    LockRings = { 1, 2, 3, 4, 5 },
    Highlights = { { -1, -1 } },
    Arrow = { -1, -1 },
    ModalDialog = {
      { { 400, 118 }, "This round piece is a bomb. When it goes off, it clears the pieces around it." },
    },
  },
  -- The tutorial sets it off itself, and lets the pieces settle a moment.
  {
    __type__ = "Event",
    __eventname__ = "watch",
    __delay__ = 1500,
    LockRings = { 1, 2, 3, 4, 5 },
    ExplodePowerUp = { 1, 3 },
    Dialog = {
      { { 400, 118 }, "Watch it go off!" },
    },
  },
  -- The player sets off the other one: a double click on it tells the
  -- tutorial.
  {
    __type__ = "Event",
    __eventname__ = "yours",
    Arrow = { -1, -1 },
    Overlay = "sprites/jugs/jug-glow-ends",
    Dialog = {
      { { 400, 118 }, "Now click twice, quickly, on the other bomb." },
    },
  },
  {
    __type__ = "Event",
    __eventname__ = "done",
    ModalDialogEndGame = {
      { { 400, 118 }, "Well done! Long matches and combos leave bombs behind; keep them for a tight spot." },
    },
  },
  -- The runner keeps its last event waiting; the level has ended before.
  { __type__ = "Event", __eventname__ = "end" },
}
