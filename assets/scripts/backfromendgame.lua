-- Reached through "DoModal('scripts/backfromendgame.lua')", which the tower
-- view runs once the closing screens of the game (world 99) are done: this
-- dialog goes, then the play screen's dialog closes, which leads back to the
-- title menu.
PopModal()
CloseWindow()
