# "Piece Fall Sound": pieces drop into place with a soft "plip", a sine
# gliding down from G5 to C5 with a light knock under it.
peak=-6
tone a.wav 0.16 sine 784/523 fade h 0.003 fade l 0 0.16 0.16
tone b.wav 0.08 sine 260/130 fade h 0.003 0.08 0.07
arrange sound.wav a.wav 0 0.7 b.wav 0 0.4
