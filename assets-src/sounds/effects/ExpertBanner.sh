# "Expert Banner Sound": a small fanfare for an expert finish: a soft brass
# (two saws a little apart, darkened) plays C5 E5 G5 and holds C6 with
# vibrato, over a bell chord.
brass() {
  semitone "$2"
  tone "$1" "$3" sawtooth "%$REPLY" synth "$3" sawtooth mix "%$REPLY.1" \
    lowpass 1800 lowpass 2500 "${@:4}" fade h 0.02 "$3" 0.05
}
brass c.wav C5 0.14
brass e.wav E5 0.14
brass g.wav G5 0.14
brass top.wav C6 0.7 tremolo 5.5 25
bell b1.wav C5 1.0
bell b2.wav G5 1.0
arrange sound.wav c.wav 0 0.35 e.wav 0.13 0.35 g.wav 0.26 0.35 top.wav 0.39 0.4 \
  b1.wav 0.39 0.2 b2.wav 0.39 0.16 -- pad 0 0.2 reverb 45 50 60
