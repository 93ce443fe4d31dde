# "Lock Explode Sound": a lock springs open: a metallic clank of partials
# that do not agree (a struck bar), a sharp short pop, and a little bell of
# G5 as the pieces come free.
tone p1.wav 0.5 sine 523 fade h 0.002 fade l 0 0.5 0.5
tone p2.wav 0.35 sine 1440 fade h 0.002 fade l 0 0.35 0.35
tone p3.wav 0.25 sine 2830 fade h 0.002 fade l 0 0.25 0.25
tone pop.wav 0.05 pinknoise lowpass 3500 fade h 0.001 fade l 0 0.05 0.05
bell b.wav G5 0.4
arrange sound.wav p1.wav 0 0.4 p2.wav 0 0.25 p3.wav 0 0.12 pop.wav 0 0.4 b.wav 0.1 0.35 -- \
  pad 0 0.2 reverb 25 50 30
