-- Reached through "DoModal('scripts/backtometamapfromtutorial.lua')", which
-- the tower view runs once a tutorial level is won: the tutorial is seen,
-- so the level itself is the next to play; the dialog opened for this
-- script goes at once and the play screen under it becomes the map again,
-- or the help screen when the tutorial was played from there.
PopModal()
SwapToModal(IsTutorialMode() and "scripts/helpmenu.lua" or "scripts/levelmap.lua")
