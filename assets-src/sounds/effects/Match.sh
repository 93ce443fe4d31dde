# "Match3 Sound" to "Match5 Sound": a quick rising run of bells up the C
# major chord, one bell more for each piece, so a bigger match climbs
# higher: C5 E5 G5, then C6, then E6. Argument: the pieces matched (3 to 5).
notes=(C5 E5 G5 C6 E6)
times=(0 0.065 0.13 0.195 0.26)
bells=()
for ((i = 0; i < $1; ++i)); do
  bell "n$i.wav" "${notes[i]}" 0.7
  bells+=("n$i.wav" "${times[i]}" 0.5)
done
arrange sound.wav "${bells[@]}" -- pad 0 0.3 reverb 30 50 40
