# "Small Bomb Sound": a soft round "poof": a low sine dropping from 180 to
# 50 Hz under a puff of darkened noise, in a small room.
tone thump.wav 0.35 sine 180/50 fade h 0.004 fade l 0 0.35 0.35
tone puff.wav 0.4 pinknoise lowpass 1500 lowpass 2500 fade h 0.005 fade l 0 0.4 0.4
arrange sound.wav thump.wav 0 0.8 puff.wav 0 0.45 -- pad 0 0.25 reverb 30 60 40
