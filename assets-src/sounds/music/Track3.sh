# "M3": a climbing piece, F G Em Am, F G C C, Dm7 G7 C Am: the harp runs up
# and down in sixteenths over light brushed drums all through, the bell tune
# rising with it in the middle and last turns.
source "$kit/MusicKit.sh"

chords="F G Em Am F G C C Dm7 G7 C Am"
line harp.wav pluck "$STEP" "$chords" "1 3 2 4 3 5 4 6 5 4 3 2 1 2 3 2" 1
pads pad.wav "$chords"
line bass.wav bass $((2 * STEP)) "$chords" "1 - - - 3 - 1 -" -1
line drums.wav drum "$STEP" "$chords" "k . . h s . h . . h k . s . h h"

rest tune1.wav 4
line tune2.wav bell $((2 * STEP)) x "C6 - A5 - F5 - A5 - B5 - G5 - D5 - G5 - G5 - - - E5 - G5 - C6 - - - - - . ."
line tune3.wav bell $((2 * STEP)) x "F5 - A5 - C6 - A5 - G5 - B5 - D6 - F6 - E6 - - - C6 - G5 - A5 - - - - - . ."
join tune.wav tune1.wav tune2.wav tune3.wav

band sound.wav 12
