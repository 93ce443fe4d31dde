# "Color Change Bomb Sound": a magic wand: a fast run of bells up the C
# pentatonic scale, C5 to E6, 40 ms apart, with a trembling shimmer above.
notes=(C5 D5 E5 G5 A5 C6 D6 E6)
times=(0 0.04 0.08 0.12 0.16 0.2 0.24 0.28)
bells=()
for ((i = 0; i < ${#notes[@]}; ++i)); do
  bell "n$i.wav" "${notes[i]}" 0.45
  bells+=("n$i.wav" "${times[i]}" 0.35)
done
tone shimmer.wav 0.7 sine 2093/4186 tremolo 24 80 fade h 0.1 fade l 0 0.7 0.6
arrange sound.wav "${bells[@]}" shimmer.wav 0 0.15 -- pad 0 0.3 reverb 40 50 50
