# "PowerUp Creation Sound": a power-up is born: a shimmering sweep up two
# octaves from C5, trembling, that lands on a bell chord of C6 and G6.
tone sweep.wav 0.5 sine 523/2093 tremolo 18 60 fade h 0.05 0.5 0.08
bell c.wav C6 0.8
bell g.wav G6 0.8
arrange sound.wav sweep.wav 0 0.5 c.wav 0.45 0.5 g.wav 0.45 0.33 -- pad 0 0.3 reverb 40 50 50
