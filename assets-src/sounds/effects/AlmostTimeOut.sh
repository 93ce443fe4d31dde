# "Almost Time Out Sound", looped while time runs short: a clock's
# tick-tock in eighth notes at the music's tempo (90 beats a minute), a high
# A5 and a lower E5 woodblock. One loop is two beats (58,800 samples); every
# tick has died away before the loop's end, so the loop joins itself
# without a click.
fade_in=0.01
fade_out=0.01
pluck tick.wav A5 0.09
pluck tock.wav E5 0.09
tone knock.wav 0.02 pinknoise bandpass 2500 2q lowpass 6000 fade h 0.001 fade l 0 0.02 0.02
arrange sound.wav tick.wav 0.012 0.6 knock.wav 0.012 0.15 tock.wav 0.345333 0.6 knock.wav 0.345333 0.15 \
  tick.wav 0.678667 0.6 knock.wav 0.678667 0.15 tock.wav 1.012 0.6 knock.wav 1.012 0.15 -- \
  pad 0 1 trim 0 58800s
