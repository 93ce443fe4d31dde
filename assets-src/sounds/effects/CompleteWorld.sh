# "Complete World Effect": a world is done: bells climb the C major chord
# over two octaves, C5 to C7, and the last rings on over a bell chord.
notes=(C5 E5 G5 C6 E6 G6 C7)
times=(0 0.07 0.14 0.21 0.28 0.35 0.42)
bells=()
for ((i = 0; i < ${#notes[@]}; ++i)); do
  bell "n$i.wav" "${notes[i]}" 1.0
  bells+=("n$i.wav" "${times[i]}" 0.3)
done
bell c.wav C5 1.2
bell g.wav G5 1.2
arrange sound.wav "${bells[@]}" c.wav 0.49 0.3 g.wav 0.49 0.25 -- pad 0 0.3 reverb 50 50 70 trim 0 1.9
