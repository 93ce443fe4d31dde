# "Ring Rotate Sound", played at most every 100 ms while a ring is dragged:
# a short soft whirr of band-limited noise with a small wooden tick of A5 in
# it, so a turning ring purrs and clicks gently.
peak=-9
tone a.wav 0.11 pinknoise bandpass 1400 1.2q lowpass 3000 fade h 0.03 0.11 0.07
pluck b.wav A5 0.06
arrange sound.wav a.wav 0 0.7 b.wav 0 0.35
