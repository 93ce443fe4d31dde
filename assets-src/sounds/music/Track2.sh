# "M2": the same walk turned thoughtful, in A minor: Am F C G three times,
# the harp skipping in syncopated sixteenths, a lower bell tune answering.
source "$kit/MusicKit.sh"

chords="Am F C G"
line harp.wav pluck "$STEP" "$chords $chords $chords" "1 . 3 . 5 3 . 4 . 3 5 . 4 . 3 2" 1
pads pad.wav "$chords $chords $chords"

rest low.wav 4
line bass2.wav bass $((2 * STEP)) "$chords $chords" "1 - - 1 - - 3 -" -1
join bass.wav low.wav bass2.wav

line drums2.wav drum "$STEP" "$chords $chords" "k . h . . . h . s . h . . k h ."
join drums.wav low.wav drums2.wav

line tune2.wav bell $((2 * STEP)) x "E5 - - - A5 - G5 E5 F5 - - - E5 - C5 - E5 - - - G5 - - E5 D5 - - - - - . ."
line tune3.wav bell $((2 * STEP)) x "C6 - - - B5 - A5 - A5 - - - G5 - F5 - E5 - G5 - C6 - E5 - D5 - - - B4 - - ."
join tune.wav low.wav tune2.wav tune3.wav

band sound.wav 12
