# "M1", the Journey's main theme, bright and walking: C G Am F three times.
# Harp in eighths over the pads; then bass, drums and a bell tune come in;
# then the harp doubles its pace under a second tune.
source "$kit/MusicKit.sh"

chords="C G Am F"
line harp1.wav pluck $((2 * STEP)) "$chords" "1 2 3 4 5 4 3 2" 1
line harp2.wav pluck "$STEP" "$chords $chords" "1 2 3 4 5 4 3 2 1 2 3 4 5 6 5 3" 1
join harp.wav harp1.wav harp2.wav

pads pad.wav "$chords $chords $chords"

line bass1.wav bass $((2 * STEP)) "$chords" "1 - - - - - - ." -1
line bass2.wav bass $((2 * STEP)) "$chords $chords" "1 - - 1 3 - 1 ." -1
join bass.wav bass1.wav bass2.wav

rest drums1.wav 4
line drums2.wav drum "$STEP" "$chords $chords" "k . h . s . h h k . h k s . h ."
join drums.wav drums1.wav drums2.wav

rest tune1.wav 4
line tune2.wav bell $((2 * STEP)) x "E5 - G5 - E5 D5 C5 - D5 - - - B4 - G4 - C5 - E5 - A5 - G5 E5 F5 - - - . . . ."
line tune3.wav bell $((2 * STEP)) x "G5 - E5 - C6 - G5 - B5 - A5 - G5 - D5 - E5 - - C5 A4 - C5 E5 F5 - A5 - G5 - - ."
join tune.wav tune1.wav tune2.wav tune3.wav

band sound.wav 12
