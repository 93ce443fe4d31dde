# "Big Bomb Sound": a deep warm "boom": a sine falling from 120 to 35 Hz, a
# long rumble of low noise and a brighter puff on the blast, in a bigger room.
tone thump.wav 1.0 sine 120/35 fade h 0.005 fade l 0 1.0 1.0
tone rumble.wav 1.2 brownnoise lowpass 400 fade h 0.01 fade l 0 1.2 1.2
tone puff.wav 0.5 pinknoise lowpass 2000 lowpass 3000 fade h 0.005 fade l 0 0.5 0.5
arrange sound.wav thump.wav 0 0.8 rumble.wav 0 0.6 puff.wav 0 0.35 -- pad 0 0.4 reverb 50 60 80
