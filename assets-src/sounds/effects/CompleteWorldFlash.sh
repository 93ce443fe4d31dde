# "Complete World Flash Effect": the flash over a completed world: a bright
# shimmer of high bells on the C pentatonic scale, scattered over a second,
# with a trembling glow under them.
notes=(E6 A6 D7 G6 C7 E7 A6 D7 C7 G6)
times=(0 0.088 0.176 0.225 0.313 0.401 0.45 0.538 0.626 0.675)
sparks=()
for ((i = 0; i < ${#notes[@]}; ++i)); do
  ring "${notes[i]}.wav" "${notes[i]}" 0.3
  sparks+=("${notes[i]}.wav" "${times[i]}" 0.25)
done
tone glow.wav 1.0 sine 2093 tremolo 14 70 fade h 0.2 1.0 0.6
arrange sound.wav "${sparks[@]}" glow.wav 0 0.12 -- pad 0 0.2 reverb 50 50 60
