# "Jug Fill 1" to "Jug Fill 6": energy drops into a jug: a water-drop
# "bloop", a sine sliding up a fourth into its note and ringing there. Each
# colour's jug has its own note of the C major chord. Argument: the note.
semitone "$1"
tone slide.wav 0.06 sine "%$((REPLY - 5))/%$REPLY" fade h 0.004 0.06 0.005
ring note.wav "$1" 0.35
arrange sound.wav slide.wav 0 0.6 note.wav 0.055 0.6 -- pad 0 0.1 reverb 20 50 30
