# "Unlock Zen Mode": calm opens up: three bells, C5, G5 and D6, struck one
# after another and left to ring together in a large soft room.
bell a.wav C5 1.5
bell b.wav G5 1.4
bell c.wav D6 1.3
arrange sound.wav a.wav 0 0.45 b.wav 0.12 0.4 c.wav 0.24 0.35 -- pad 0 0.4 reverb 60 60 90 trim 0 1.9
