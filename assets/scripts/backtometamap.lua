-- Reached through "DoModal('scripts/backtometamap.lua')", which the play
-- window runs when a Journey level is done: the level after it opens and
-- the dialog opened for this script becomes the table between levels, which
-- leads on to the level map.
OpenNextLevel()
ReadFile("scripts/endleveltable.lua")
