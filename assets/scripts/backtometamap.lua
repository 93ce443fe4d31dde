-- Reached through "DoModal('scripts/backtometamap.lua')", which the play
-- window runs when a Journey level is done: the level after it opens, the
-- dialog opened for this script goes at once and the play screen under it
-- becomes the level map again.
OpenNextLevel()
PopModal()
SwapToModal("scripts/levelmap.lua")
