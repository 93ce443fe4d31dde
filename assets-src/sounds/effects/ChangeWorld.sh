# "Change World Effect": on to another world: a page-turn whoosh of noise
# and two plucked notes, G5 then C6.
tone whoosh.wav 0.4 pinknoise bandpass 1800 0.8q lowpass 5000 fade q 0.2 0.4 0.2
pluck g.wav G5 0.3
pluck c.wav C6 0.45
arrange sound.wav whoosh.wav 0 0.4 g.wav 0.2 0.5 c.wav 0.32 0.5 -- pad 0 0.2 reverb 30 50 40
