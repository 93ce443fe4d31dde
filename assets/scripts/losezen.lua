-- Reached through "DoModal('scripts/losezen.lua')", which the tower view runs
-- 2 seconds after a Zen level ran out of moves: the same choice as after a
-- lost Journey level; leaving leads back to the Zen menu.
ReadFile("scripts/lose.lua")
