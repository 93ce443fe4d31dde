# "Ring Bomb Sound": the blast runs round the ring: a whirl of noise through
# a swirling phaser and a tone that swoops up from C5 to G6 and back down,
# over the small bomb's thump.
tone whirl.wav 0.9 pinknoise bandpass 1500 1q lowpass 5000 phaser 0.8 0.74 3 0.7 2 -t \
  fade h 0.05 fade l 0 0.9 0.9
tone up.wav 0.35 sine 523/1568 fade h 0.01 0.35 0.05
tone down.wav 0.45 sine 1568/523 fade h 0.01 0.45 0.35
tone thump.wav 0.35 sine 160/50 fade h 0.004 fade l 0 0.35 0.35
arrange sound.wav whirl.wav 0 0.6 up.wav 0 0.35 down.wav 0.35 0.35 thump.wav 0 0.7 -- \
  pad 0 0.2 reverb 30 60 50
