# "Jug Fill White": the white jug fills: the jug's "bloop" slides up to a
# bright open fifth, C6 and G6, with a soft sparkle of E7 on top.
tone slide.wav 0.06 sine 784/1047 fade h 0.004 0.06 0.005
bell c.wav C6 0.45
bell g.wav G6 0.4
ring e.wav E7 0.2
arrange sound.wav slide.wav 0 0.5 c.wav 0.055 0.5 g.wav 0.055 0.35 e.wav 0.1 0.15 -- \
  pad 0 0.15 reverb 30 50 40
