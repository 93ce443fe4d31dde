-- Run as a file by the play window when the player quits its level: the
-- play screen's dialog becomes the level map again, which also lists the
-- Zen levels, or the help screen that a tutorial was played from.
SwapToModal(IsTutorialMode() and "scripts/helpmenu.lua" or "scripts/levelmap.lua")
