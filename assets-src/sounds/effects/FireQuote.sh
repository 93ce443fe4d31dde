# "Fire Quote Sound": a quote appears in a ring of fire: a warm "fwoomp"
# of darkened noise that flares and settles, a few soft crackles, and a low
# C3-G3 chord swelling under it.
tone flame.wav 1.2 brownnoise lowpass 900 highpass 60 fade q 0.15 1.2 0.9
tone flare.wav 0.5 pinknoise bandpass 900 1q fade h 0.08 0.5 0.4
tone crackle.wav 0.012 pinknoise bandpass 3000 2q lowpass 6000 fade h 0.001 0.012 0.011
tone low.wav 1.3 sine C3 synth 1.3 sine mix G3 fade q 0.3 1.3 0.8
arrange sound.wav flame.wav 0 0.6 flare.wav 0 0.35 low.wav 0 0.35 crackle.wav 0.2 0.25 \
  crackle.wav 0.45 0.25 crackle.wav 0.7 0.25 crackle.wav 0.95 0.25 -- pad 0 0.2 reverb 30 60 50
