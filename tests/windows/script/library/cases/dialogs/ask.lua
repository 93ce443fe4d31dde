-- A dialog that closes itself with an answer.
Print("building ask", gDialogTable[1])
CloseWindow("yes")
