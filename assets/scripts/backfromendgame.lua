-- Reached through "DoModal('scripts/backfromendgame.lua')", which the tower
-- view runs once the closing level of the game (world 99) is done: the
-- tutorial mode it was played in ends, this dialog goes, then the game-end
-- screen's dialog closes, which leads back to the title menu.
SetTutorialMode(false)
PopModal()
CloseWindow()
