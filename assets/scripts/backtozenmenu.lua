-- Reached through "DoModal('scripts/backtozenmenu.lua')", which the play
-- window runs when a Zen level before the last is done: the dialog opened
-- for this script goes at once and the play screen under it becomes the
-- level map with its Zen levels again.
PopModal()
SwapToModal("scripts/levelmap.lua")
