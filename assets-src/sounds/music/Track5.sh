# "M5": the lively one, for the later worlds: C Am Dm7 G7 three times and a
# turn on F G. Full drums from the start, the bass jumping octaves, the harp
# in sixteenths and a dancing bell tune.
source "$kit/MusicKit.sh"

chords="C Am Dm7 G7 C Am Dm7 G7 C Am Dm7 G7 F G"
line harp.wav pluck "$STEP" "$chords" "1 2 3 4 3 2 3 4 5 4 3 4 5 6 5 4" 1
pads pad.wav "$chords"
line bass.wav bass $((2 * STEP)) "$chords" "1 - 1 - 3 - 4 -" -1
line drums.wav drum "$STEP" "$chords" "k . h h s . h . k k h . s . h h"

rest tune1.wav 4
line tune2.wav bell $((2 * STEP)) x "G5 - E5 G5 C6 - G5 - A5 - E5 A5 C6 - A5 - F5 - A5 - D6 - C6 A5 B5 - - - G5 - - ." 
line tune3.wav bell $((2 * STEP)) x "E6 - D6 C6 G5 - C6 - E6 - D6 C6 A5 - - - F5 - A5 - C6 - D6 - B5 - D6 - G5 - - - A5 - - - C6 - - - B5 - - - - - - ."
join tune.wav tune1.wav tune2.wav tune3.wav

band sound.wav 14
