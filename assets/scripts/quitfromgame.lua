-- Run as a file by the play window when the player quits its level: the
-- play screen's dialog becomes again the screen the level was chosen on.
SwapToModal(LeaveScreen())
