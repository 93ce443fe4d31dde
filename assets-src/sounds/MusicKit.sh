# What the music recipes share: every piece is in C major or its relative
# minor at 90 beats a minute, in 4/4, so any piece may follow any other. A
# piece is a few lines of notes on a grid of sixteenth notes, played by a
# handful of voices, mixed and placed in stereo here.
#
# A line is written as words, one per step of its grid:
#   a chord tone by number (1 its root, 2 the next tone up, ...; numbers past
#   the chord's tones go on an octave higher), a drum by letter (k, s, h),
#   "-" holding the note before for one more step, "." a rest.
# Chords are named by root and kind: C, Am, G7, Cmaj7, Am7, Gsus.

STEP=7350            # samples in a sixteenth note at 90 beats a minute
BAR=$((16 * STEP))

# chord_tones CHORD: the semitones (from A4) of the chord's tones, its root
# between F3 and E4, so that chords move little from one to the next; in the
# array TONES.
chord_tones() {
  local name=$1 root kind intervals
  if [[ ${name:1:1} == "#" || ${name:1:1} == "b" ]]; then
    root=${name:0:2}; kind=${name:2}
  else
    root=${name:0:1}; kind=${name:1}
  fi
  case $kind in
    "") intervals="0 4 7" ;;
    m) intervals="0 3 7" ;;
    7) intervals="0 4 7 10" ;;
    maj7) intervals="0 4 7 11" ;;
    m7) intervals="0 3 7 10" ;;
    sus) intervals="0 5 7" ;;
    *) echo "unknown chord: $name" >&2; return 1 ;;
  esac
  semitone "${root}4"
  local base=$REPLY tone
  ((base > -5)) && base=$((base - 12))
  TONES=()
  for tone in $intervals; do TONES+=($((base + tone))); done
}

# tone_of CHORD NUMBER OCTAVES: the chord tone by number, moved by octaves;
# in REPLY.
tone_of() {
  chord_tones "$1"
  local count=${#TONES[@]} index=$(($2 - 1))
  REPLY=$((TONES[index % count] + 12 * (index / count + $3)))
}

# The voices. Each gives, in the array CHAIN, the sox effects that make one
# note (pitch in semitones from A4, length in samples) from mono silence:
# partials on channels of their own, mixed down to one by remix.
# Every note ends at rest and is cut or filled to its exact length, so notes
# join without clicks and lines keep time.

# A plucked harp-like string, bright and short.
voice_pluck() {
  CHAIN=(synth "$2s" pluck "%$1" lowpass 3500 fade h 0.003 "$2s" 0.03 gain -4)
}
# A glassy bell with a quieter octave, for slow tunes.
voice_bell() {
  CHAIN=(channels 2 synth "$2s" sine "%$1" sine "%$(($1 + 12))" remix 1v0.8,2v0.2 fade h 0.006 fade l 0 "$2s" "$2s")
}
# A soft round bass: a sine with a little of its octave, warm and low.
voice_bass() {
  CHAIN=(channels 2 synth "$2s" sine "%$1" triangle "%$(($1 + 12))" remix 1v0.8,2v0.2 lowpass 800
    fade h 0.01 "$2s" 0.06)
}
# Light percussion from noise and one low sine: a soft thump (k), a brushed
# snare (s) and a closed hat (h), each shorter than a step.
voice_drum() {
  case $1 in
    k) CHAIN=(synth 0.16 sine 90/45 fade h 0.003 0.16 0.14 gain -2) ;;
    s) CHAIN=(synth 0.14 pinknoise bandpass 1800 0.8q lowpass 5000 fade h 0.002 0.14 0.13 gain -6) ;;
    h) CHAIN=(synth 0.045 whitenoise highpass 7000 lowpass 12000 fade h 0.001 0.045 0.04 gain -14) ;;
    *) echo "unknown drum: $1" >&2; return 1 ;;
  esac
}
# A pad chord (its tones as one word, joined by "+"): each tone on two saws
# slightly apart, darkened, swelling in and out over its length.
voice_pad() {
  local tones=(${1//+/ }) plain=() detuned=() channels=1 t
  for t in "${tones[@]}"; do
    plain+=(sawtooth "%$t")
    detuned+=(sawtooth mix "%$t.08")
  done
  for ((t = 2; t <= ${#tones[@]}; ++t)); do channels+=",$t"; done
  CHAIN=(channels ${#tones[@]} synth "$2s" "${plain[@]}" synth "$2s" "${detuned[@]}" remix "$channels"
    lowpass 1100 lowpass 1800 fade q 0.35 "$2s" 0.5 chorus 0.7 0.9 50 0.4 0.25 2 -t)
}
# A rest.
voice_rest() {
  CHAIN=(trim 0 "$2s")
}

# notes VOICE:NOTE:LENGTH...: makes the notes not made yet, in one batch;
# MADE then maps each to its file.
notes() {
  local key
  for key in "$@"; do
    [[ -v MADE[$key] ]] && continue
    local parts=(${key//:/ })
    "voice_${parts[0]}" "${parts[1]}" "${parts[2]}"
    generate "$key" "${CHAIN[@]}" pad 0 "${parts[2]}s" trim 0 "${parts[2]}s"
  done
  made "$1"
}

# line OUT VOICE STEP CHORDS PATTERN [OCTAVES]
# Plays PATTERN (words as above, STEP samples each) once per chord of CHORDS
# (one chord per bar), chord tones moved by OCTAVES.
line() {
  local out=$1 voice=$2 step=$3 chords=$4 pattern=$5 octaves=${6:-0}
  local keys=() chord word words held note i
  read -ra words <<<"$pattern"
  if (((${#words[@]} * step) % BAR)); then
    echo "$out: the pattern does not fill whole bars" >&2
    return 1
  fi
  for chord in $chords; do
    for ((i = 0; i < ${#words[@]}; ++i)); do
      word=${words[i]}
      [ "$word" = "-" ] && continue
      if [ "$word" = "." ]; then
        keys+=("rest:0:$step")
        continue
      fi
      held=1
      while ((i + held < ${#words[@]})) && [ "${words[i + held]}" = "-" ]; do held=$((held + 1)); done
      if [[ $word =~ ^[0-9]+$ ]]; then
        tone_of "$chord" "$word" "$octaves"
        note=$REPLY
      elif [[ $word =~ ^[A-G] ]]; then
        semitone "$word"
        note=$REPLY
      else
        note=$word
      fi
      keys+=("$voice:$note:$((held * step))")
    done
  done
  notes "${keys[@]}"
  local files=() key
  for key in "${keys[@]}"; do files+=("${MADE[$key]}"); done
  join "$out" "${files[@]}"
}

# pads OUT CHORDS: a pad chord a bar, each ringing a quarter bar into the
# next so that they cross-fade: the bars take turns in two lines, each chord
# in a slot of two bars (five quarters sounding, three silent), mixed.
pads() {
  local out=$1 chords=($2) keys=() i
  for ((i = 0; i < ${#chords[@]}; ++i)); do
    chord_tones "${chords[i]}"
    local tones=${TONES[*]}
    keys+=("pad:${tones// /+}:$((BAR * 5 / 4))")
  done
  notes "${keys[@]}" "rest:0:$((BAR * 3 / 4))" "rest:0:$BAR"
  local even=() odd=("${MADE[rest:0:$BAR]}") gap=${MADE[rest:0:$((BAR * 3 / 4))]}
  for ((i = 0; i < ${#chords[@]}; ++i)); do
    if ((i % 2)); then odd+=("${MADE[${keys[i]}]}" "$gap"); else even+=("${MADE[${keys[i]}]}" "$gap"); fi
  done
  join even.wav "${even[@]}"
  join odd.wav "${odd[@]}"
  arrange "$out" even.wav 0 1 odd.wav 0 1 -- trim 0 $((${#chords[@]} * BAR))s
}

# join OUT IN...: the inputs one after the other.
join() {
  local out=$1
  shift
  if (($# == 1)); then cp "$1" "$out"; else sx "$@" "$out"; fi
}

# rest OUT BARS: silence, for a line that comes in later.
rest() { sx -r "$RATE" -c 1 -n "$1" trim 0 "$(($2 * BAR))s"; }

# band OUT BARS: the piece, BARS bars long, from the mono lines that the
# recipe left in harp.wav, pad.wav, bass.wav, drums.wav and tune.wav (a line
# that ends early is silent after its end), in one sox run: the harp is
# answered by its own echo a dotted eighth later on the left and an eighth
# later on the right, the pads wide, bass and drums in the middle, the tune
# a little to the right; all in a small warm room.
band() {
  sx -M harp.wav harp.wav harp.wav pad.wav bass.wav drums.wav tune.wav "$1" \
    delay 0 $((3 * STEP))s $((2 * STEP))s 0 0 0 0 \
    remix 1v0.5,2v0.15,4v0.3,5v0.65,6v0.28,7v0.3 1v0.5,3v0.15,4v0.3,5v0.65,6v0.32,7v0.42 \
    reverb 40 60 60 100 10 -4 trim 0 "$(($2 * BAR))s"
}
