# "Gear Rotating Sound", started at most every 101 ms while gears turn: a
# tiny three-tooth ratchet, three bright ticks 25 ms apart, over in 0.09 s.
peak=-8
tone tick.wav 0.012 pinknoise bandpass 3500 2q lowpass 6000 fade h 0.001 0.012 0.011
ring ping.wav E7 0.02
arrange t.wav tick.wav 0 0.7 ping.wav 0 0.3
arrange sound.wav t.wav 0 0.5 t.wav 0.025 0.4 t.wav 0.05 0.45 -- pad 0 0.02
