# "Outro": the close, F G Em Am, F G C C: the bell tune sings once more over
# harp and pads, then the harp thins out to one note a beat and the last C
# swells and fades.
source "$kit/MusicKit.sh"

chords="F G Em Am F G C C"
pads pad.wav "$chords"
line harp1.wav pluck $((2 * STEP)) "F G Em Am F G" "1 2 3 4 3 2 1 2" 1
line harp2.wav pluck $((4 * STEP)) "C C" "1 2 3 4" 1
join harp.wav harp1.wav harp2.wav
line bass.wav bass $((2 * STEP)) "$chords" "1 - - - - - - ." -1
line drums.wav drum "$STEP" "F G Em Am" ". . h . . . h . . . h . . . h ."
line tune.wav bell $((2 * STEP)) x "C6 - A5 - F5 - - - B5 - G5 - D5 - - - G5 - - - E5 - B4 - C5 - - - E5 - A5 -"

band sound.wav 8
