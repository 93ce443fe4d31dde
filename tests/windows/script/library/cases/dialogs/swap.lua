-- Rebuilds the top dialog with one window in place of what it held.
MakeDialog{ Window{ name = "swapped in", x = 0, y = 0, w = 50, h = 50 } }
