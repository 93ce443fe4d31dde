# "Blocker Blocked Sound": a move the blocker will not allow: a dull,
# friendly "bonk-bonk", E4 then C4 on a muted triangle.
peak=-5
tone a.wav 0.12 triangle E4 lowpass 900 fade h 0.004 fade l 0 0.12 0.12
tone b.wav 0.16 triangle C4 lowpass 900 fade h 0.004 fade l 0 0.16 0.16
arrange sound.wav a.wav 0 0.6 b.wav 0.13 0.6
