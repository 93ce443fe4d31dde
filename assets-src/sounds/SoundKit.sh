# What every sound recipe shares. MakeSound.sh sources it in a scratch folder
# before the recipe. Everything is made at 44,100 Hz; files in between are
# sox's 32-bit WAV, so only the last step sets the level.

RATE=44100

# One sox run: repeatable noise (the same recipe gives the same sound), and
# quiet unless something fails.
sx() { sox -R -V1 --single-threaded "$@"; }

# Sounds made from silence wait in a batch, and the whole batch is made by
# one sox run (a chain of effects for each sound, each chain writing a new
# file) when something needs one of them: sox's start-up, not its work, is
# most of what a short sound costs.
declare -A MADE  # a waiting sound's name -> the file made for it
BATCH=()         # the chains waiting
BATCH_NAMES=()
BATCHES=0

# generate OUT EFFECT...: queues the sound the effects make from mono silence;
# a name already made or waiting is made once only.
generate() {
  local out=$1 name
  shift
  [[ -v MADE[$out] ]] && return
  for name in "${BATCH_NAMES[@]}"; do [ "$name" = "$out" ] && return; done
  ((${#BATCH_NAMES[@]})) && BATCH+=(: newfile :)
  BATCH+=("$@")
  BATCH_NAMES+=("$out")
}

# made NAME: makes the waiting sounds; the file to read for NAME in REPLY.
made() {
  if ((${#BATCH_NAMES[@]})); then
    BATCHES=$((BATCHES + 1))
    local files="batch$BATCHES-%3n.wav"  # sox numbers the files of a run
    ((${#BATCH_NAMES[@]} > 1)) || files=batch$BATCHES-001.wav
    sx -r "$RATE" -c 1 -n "$files" "${BATCH[@]}"
    local i
    for ((i = 0; i < ${#BATCH_NAMES[@]}; ++i)); do
      printf -v "MADE[${BATCH_NAMES[i]}]" 'batch%d-%03d.wav' "$BATCHES" $((i + 1))
    done
    BATCH=()
    BATCH_NAMES=()
  fi
  REPLY=${MADE[$1]:-$1}
}

# tone OUT LENGTH GENERATOR... [EFFECT...]
# A mono sound from sox's generators (synth), with effects after them.
tone() {
  local out=$1
  shift
  generate "$out" synth "$@"
}

# arrange OUT [IN SECONDS VOLUME]... [-- EFFECT...]
# Plays mono inputs together, each after its delay in seconds and at its
# volume, then the effects: the inputs become channels of one run, delayed
# and mixed down there (a shorter one is followed by silence). Delaying
# lengthens every channel by the longest delay; that silence at the end is
# cut off again.
arrange() {
  local out=$1 inputs=() delays=() mix=()
  shift
  while (($#)) && [ "$1" != -- ]; do
    made "$1"
    inputs+=("$REPLY")
    delays+=("$2")
    mix+=("${#inputs[@]}v$3")
    shift 3
  done
  (($#)) && shift
  local channels=${mix[*]}
  local ends=(reverse silence 1 1s 0 reverse)
  if ((${#inputs[@]} == 1)); then
    sx "${inputs[0]}" "$out" delay "${delays[0]}" remix "$channels" "${ends[@]}" "$@"
  else
    sx -M "${inputs[@]}" "$out" delay "${delays[@]}" remix "${channels// /,}" "${ends[@]}" "$@"
  fi
  unset "MADE[$out]"
}

# semitone NOTE: a note name (C4, F#3, Bb5) as semitones from A4, as sox's
# "%N" frequencies take it, in REPLY (a number of semitones stays as it is).
# No subshell: it runs for every note of a piece.
semitone() {
  if [[ $1 =~ ^-?[0-9]+$ ]]; then REPLY=$1; return; fi
  local letter=${1:0:1} rest=${1:1} offset
  case $letter in
    C) offset=-9 ;; D) offset=-7 ;; E) offset=-5 ;; F) offset=-4 ;;
    G) offset=-2 ;; A) offset=0 ;; B) offset=2 ;;
    *) echo "not a note: $1" >&2; return 1 ;;
  esac
  case $rest in
    \#*) offset=$((offset + 1)); rest=${rest:1} ;;
    b*) offset=$((offset - 1)); rest=${rest:1} ;;
  esac
  REPLY=$((offset + 12 * (rest - 4)))
}

# per_second SECONDS: how many times a second that length fits (1 / SECONDS,
# to a millionth), in REPLY; pure shell, as it runs for every note.
per_second() {
  local whole=${1%%.*} fraction=000
  [[ $1 == *.* ]] && fraction=${1#*.}000
  local millis=$((10#${whole:-0} * 1000 + 10#${fraction:0:3}))
  local micro=$((1000000000 / millis))
  printf -v REPLY '%d.%06d' $((micro / 1000000)) $((micro % 1000000))
}

# ring OUT NOTE LENGTH: one sine that rises in a few milliseconds (so its
# start makes no click) and dies away like a struck thing, 60 dB over its
# length (an exponential, made by one falling period of sox's "exp" wave
# modulating the sine).
ring() {
  semitone "$2"
  local s=$REPLY
  per_second "$3"
  tone "$1" "$3" sine "%$s" synth "$3" exp amod "$REPLY" 0 0 0 30 fade h 0.004 "$3" 0.005
}

# bell OUT NOTE LENGTH: a soft glassy bell: a sine with a quieter octave and
# twelfth (each on a channel of its own) that die away two and three times
# sooner, so the note rings on pure.
bell() {
  semitone "$2"
  local s=$REPLY
  per_second "$3"
  generate "$1" channels 3 synth "$3" sine "%$s" sine "%$((s + 12))" sine "%$((s + 19))" \
    synth "$3" exp amod "$REPLY" 0 0 0 30 exp amod "$REPLY" 0 0 0 60 exp amod "$REPLY" 0 0 0 90 \
    fade h 0.004 "$3" 0.005 remix 1v0.7,2v0.25,3v0.12
}

# pluck OUT NOTE LENGTH: a plucked string, softened a little.
pluck() {
  semitone "$2"
  tone "$1" "$3" pluck "%$REPLY" lowpass 4000 fade h 0.001 "$3" 0.02
}
