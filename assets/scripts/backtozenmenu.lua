-- Reached through "DoModal('scripts/backtozenmenu.lua')", which the play
-- window runs when a Zen level before the last is done: the dialog opened
-- for this script goes at once and the play screen under it becomes the
-- Zen menu again.
PopModal()
SwapToModal("scripts/zenmenu.lua")
