# "Blocker Broken Sound": the blocker crumbles: a low thump, then four
# little cracks that tumble away, each softer and lower than the last.
tone thump.wav 0.3 sine 160/55 fade h 0.003 fade l 0 0.3 0.3
times=(0 0.07 0.16 0.28)
volumes=(0.6 0.48 0.36 0.24)
cracks=()
for ((i = 0; i < 4; ++i)); do
  tone "c$i.wav" 0.06 pinknoise bandpass "$((2600 - i * 400))" 1.5q fade h 0.001 fade l 0 0.06 0.06
  cracks+=("c$i.wav" "${times[i]}" "${volumes[i]}")
done
arrange sound.wav thump.wav 0 0.7 "${cracks[@]}" -- pad 0 0.2 reverb 25 60 30
