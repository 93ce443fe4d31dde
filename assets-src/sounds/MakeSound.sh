#!/usr/bin/env bash
# Makes one sound of the game's data folder from its recipe:
#   MakeSound.sh OUTPUT.ogg RECIPE.sh [ARGUMENT...]
# The recipe runs in a scratch folder, with SoundKit.sh's helpers and its
# arguments, and leaves "sound.wav" there at 44,100 Hz. That is brought to
# its peak level, given soft edges (so it starts and ends at rest and a loop
# joins itself without a click) and encoded to Ogg Vorbis. The output is
# written beside its place and moved in, so a failed run leaves nothing.
# Sounds are made by many short sox runs, so this spends no process on what
# the shell can do itself.
set -euo pipefail

output=$1
recipe=$2
shift 2
kit=${BASH_SOURCE[0]%/*}
[[ $kit == /* ]] || kit=$PWD/$kit
[[ $recipe == /* ]] || recipe=$PWD/$recipe
[[ $output == /* ]] || output=$PWD/$output

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A recipe may change these. Music is quieter than the effects, so that they
# stand out over it, and fades in and out a little longer.
if [[ $recipe == */music/* ]]; then
  peak=-9
  fade_in=0.01
  fade_out=0.02
  quality=3
else
  peak=-3
  fade_in=0.002
  fade_out=0.01
  quality=4
fi

source "$kit/SoundKit.sh"
source "$recipe"

made sound.wav
sx -D "$REPLY" -b 16 final.wav gain -n "$peak" fade h "$fade_in" -0 "$fade_out"
mkdir -p "${output%/*}"
oggenc -Q -q "$quality" --serial 1 -o "$output.part" final.wav
mv "$output.part" "$output"
