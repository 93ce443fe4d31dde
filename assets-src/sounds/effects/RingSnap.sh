# "Ring Snap Sound": the ring settles into its slot with a two-step wooden
# clack, D5 then G5, close together.
peak=-5
pluck a.wav D5 0.15
pluck b.wav G5 0.18
tone c.wav 0.02 pinknoise lowpass 2500 fade h 0.001 0.02 0.018
arrange sound.wav a.wav 0 0.6 b.wav 0.045 0.6 c.wav 0 0.25
