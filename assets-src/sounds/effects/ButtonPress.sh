# A button's press sound: rounder and lower than the click, a plucked G5
# with a soft bell an octave up, over in a tenth of a second.
peak=-6
pluck a.wav G5 0.12
ring b.wav G6 0.06
arrange sound.wav a.wav 0 0.8 b.wav 0 0.25
