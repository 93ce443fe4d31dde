# "M4": the quiet one, for calm play: Cmaj7 Am7 Fmaj7 G, Cmaj7 Am7 Dm7 Gsus,
# Cmaj7 Am7 Fmaj7 Gsus. Harp in slow eighths, hats on the off-beats only, no
# thump; a sparse bell tune floats over the middle.
source "$kit/MusicKit.sh"

chords="Cmaj7 Am7 Fmaj7 G Cmaj7 Am7 Dm7 Gsus Cmaj7 Am7 Fmaj7 Gsus"
line harp.wav pluck $((2 * STEP)) "$chords" "1 3 5 3 4 3 2 3" 1
pads pad.wav "$chords"
line bass.wav bass $((2 * STEP)) "$chords" "1 - - - - - 3 -" -1
line drums.wav drum "$STEP" "$chords" ". . h . . . h . . . h . . . h h"

rest tune1.wav 4
line tune2.wav bell $((2 * STEP)) x "B5 - - - G5 - - - C6 - - - A5 - - - A5 - - - C6 - - - B5 - - - D6 - - - E6 - - - - - D6 C6 A5 - - - C6 - - - F5 - - - A5 - - - G5 - - - - - - ."
join tune.wav tune1.wav tune2.wav

band sound.wav 12
