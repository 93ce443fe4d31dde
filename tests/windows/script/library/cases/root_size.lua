-- The root keeps the display's size: a child reaching out of it (here a
-- negative extent beyond 80000, whose window lands near 160000) grows the
-- windows below the root, never the root, so later dialogs still fill the
-- screen.

MakeDialog{
  Window{ name = "far", x = 10, y = 10, w = -100000, h = 50 },
  Window{ name = "box", x = 20, y = 20, w = 100, h = 100,
    Window{ name = "far inside", x = 10, y = 10, w = -100000, h = 10 },
  },
}
PushModal("later")
PrintTree()
