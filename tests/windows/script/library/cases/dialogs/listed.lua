-- Built by DisplayDialog: the table handed to it names the answer.
MakeDialog{
  Button{ name = "answer", x = 0, y = 0, w = 100, h = 40,
    command = function() CloseWindow(gDialogTable.answer) end },
}
