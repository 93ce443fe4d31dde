-- The score table after a won Zen level, reached through
-- "DoModal('scripts/collectable_table_zen.lua')", which the play window
-- runs: the Journey's table without its time row, leading back to the map
-- (or to the end of Zen after its fifth level).
ReadFile("scripts/collectable_table.lua")
