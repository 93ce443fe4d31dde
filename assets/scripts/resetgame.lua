-- Reached through "DoModal('scripts/resetgame.lua')", which the play window
-- runs when its level restarts: the dialog opened for this script goes at
-- once, and the play screen under it is built anew on the same level.
PopModal()
SwapToModal("scripts/playscreen.lua")
