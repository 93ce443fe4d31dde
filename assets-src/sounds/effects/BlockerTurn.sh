# "Blocker Turn Sound": a stone block grinds round a little: low rumbling
# noise with a dull knock of C4 under it.
peak=-5
tone a.wav 0.3 brownnoise lowpass 700 highpass 80 fade h 0.04 0.3 0.2
tone b.wav 0.25 pluck C4 lowpass 1500 fade h 0.001 0.25 0.05
tone c.wav 0.2 sine 150/80 fade h 0.003 0.2 0.18
arrange sound.wav a.wav 0 0.6 b.wav 0 0.5 c.wav 0 0.4
