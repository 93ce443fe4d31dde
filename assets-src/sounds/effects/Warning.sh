# "Warning Sound": a gentle two-tone call, A5 then E5 twice, on a soft
# triangle with a little vibrato: noticed, never alarming.
peak=-5
tone hi.wav 0.16 triangle A5 lowpass 3000 tremolo 6 20 fade h 0.01 0.16 0.04
tone lo.wav 0.2 triangle E5 lowpass 3000 tremolo 6 20 fade h 0.01 0.2 0.06
arrange sound.wav hi.wav 0 0.6 lo.wav 0.18 0.6 hi.wav 0.42 0.6 lo.wav 0.6 0.6
