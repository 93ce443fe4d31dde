# "Jug Full Sound": a jug is full: a rolled bell chord up C5 E5 G5 C6 E6
# that rings out, with a rising shimmer behind it.
notes=(C5 E5 G5 C6 E6)
times=(0 0.05 0.1 0.15 0.2)
bells=()
for ((i = 0; i < 5; ++i)); do
  bell "n$i.wav" "${notes[i]}" 1.1
  bells+=("n$i.wav" "${times[i]}" 0.4)
done
tone shimmer.wav 0.6 sine 1047/4186 tremolo 20 70 fade h 0.1 fade l 0 0.6 0.5
arrange sound.wav "${bells[@]}" shimmer.wav 0 0.12 -- pad 0 0.3 reverb 45 50 60
