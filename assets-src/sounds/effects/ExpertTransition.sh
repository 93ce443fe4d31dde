# "Expert Transition Sound": the screen sweeps on to the expert results: a
# breath of noise that swells and fades, a tone climbing from G4 to G6
# inside it, and a chime of G6 at the top.
tone air.wav 1.1 pinknoise bandpass 2000 0.7q lowpass 5000 fade q 0.6 1.1 0.5
tone climb.wav 0.9 sine 392/1568 fade h 0.3 0.9 0.1
bell top.wav G6 0.6
arrange sound.wav air.wav 0 0.45 climb.wav 0 0.3 top.wav 0.85 0.5 -- pad 0 0.1 reverb 40 50 60 trim 0 1.6
