# "Blocker Break Sound": a blocker takes a hit and cracks: a short dry snap
# of band-limited noise on a knock of E4.
peak=-4
tone snap.wav 0.05 pinknoise bandpass 2200 1.5q fade h 0.001 fade l 0 0.05 0.05
tone knock.wav 0.25 pluck E4 lowpass 2000 fade h 0.001 0.25 0.05
tone low.wav 0.15 sine 200/100 fade h 0.003 fade l 0 0.15 0.15
arrange sound.wav snap.wav 0 0.6 knock.wav 0 0.5 low.wav 0 0.4
