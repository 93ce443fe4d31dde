-- Reached through "DoModal('scripts/backtometamapfromtutorial.lua')", which
-- the tower view runs once a tutorial level is won: the tutorial is seen,
-- so the level itself is the next to play; the dialog opened for this
-- script goes at once and the play screen under it becomes the map again.
PopModal()
SwapToModal("scripts/levelmap.lua")
