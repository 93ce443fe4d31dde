# "Time Bomb Sound", when a full jug buys time: a clock's tick, tock, and a
# bright rising chime of C6 and G6 over a soft thump.
pluck tick.wav A5 0.07
pluck tock.wav E5 0.07
bell c.wav C6 0.8
bell g.wav G6 0.7
tone thump.wav 0.3 sine 150/50 fade h 0.004 fade l 0 0.3 0.3
arrange sound.wav tick.wav 0 0.5 tock.wav 0.12 0.5 c.wav 0.24 0.5 g.wav 0.3 0.35 thump.wav 0.24 0.5 -- \
  pad 0 0.2 reverb 30 50 40
