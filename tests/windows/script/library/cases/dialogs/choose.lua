-- A dialog with two buttons: one closes it with an answer, the other pops it.
MakeDialog{
  Button{ name = "yes", x = 0, y = 0, w = 100, h = 40, command = function() CloseWindow("yes") end },
  Button{ name = "pop", x = 100, y = 0, w = 100, h = 40, command = function() PopModal("popped") end },
}
Print("built choose")
