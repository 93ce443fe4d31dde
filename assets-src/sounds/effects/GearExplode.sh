# "Gear Explode Sound": a gear spins loose and bursts: a ratchet of ticks
# that slow down and fall in pitch, ending in a soft pop.
times=(0 0.03 0.068 0.114 0.168 0.23 0.3 0.378)
ticks=()
for ((i = 0; i < 8; ++i)); do
  tone "t$i.wav" 0.015 pinknoise bandpass "$((4000 - i * 300))" 2q lowpass 6000 fade h 0.001 0.015 0.013
  ticks+=("t$i.wav" "${times[i]}" 0.6)
done
tone pop.wav 0.3 sine 200/60 fade h 0.003 fade l 0 0.3 0.3
tone puff.wav 0.25 pinknoise lowpass 1800 fade h 0.003 fade l 0 0.25 0.25
arrange sound.wav "${ticks[@]}" pop.wav 0.46 0.7 puff.wav 0.46 0.4 -- pad 0 0.2 reverb 25 60 30
