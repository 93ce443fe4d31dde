# "Intro": the opening, soft and expectant. Pads alone, then the harp in
# eighths, then bass, hats and a slow bell tune that comes to rest on C.
source "$kit/MusicKit.sh"

chords="Fmaj7 G C Am Fmaj7 G Csus C"
pads pad.wav "$chords"

rest harp1.wav 2
line harp2.wav pluck $((2 * STEP)) "C Am Fmaj7 G Csus C" "1 2 3 4 3 2 4 5" 1
join harp.wav harp1.wav harp2.wav

rest low.wav 4
line bass2.wav bass $((2 * STEP)) "Fmaj7 G Csus C" "1 - - - - - - ." -1
join bass.wav low.wav bass2.wav

line drums2.wav drum "$STEP" "Fmaj7 G Csus C" ". . h . . . h . . . h . . . h ."
join drums.wav low.wav drums2.wav

line tune2.wav bell $((2 * STEP)) x "A5 - - - G5 - E5 - D5 - - - G5 - B5 - C6 - - - - - B5 A5 G5 - - - - - - ."
join tune.wav low.wav tune2.wav

band sound.wav 8
