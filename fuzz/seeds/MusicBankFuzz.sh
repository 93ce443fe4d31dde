#!/usr/bin/env bash
# Remakes the seeds of MusicBankFuzz from the game's own "music/music.xml":
# the file as it ships, one whose codes mix letters, zeros and tracks that
# are not there, one without any track label, one cut short, and a few
# codes alone (the input is also read as a code).
set -euo pipefail
cd "$(dirname "$0")/../.."

seeds=fuzz/seeds/MusicBankFuzz
source=assets/music/music.xml
mkdir -p "$seeds"
cp "$source" "$seeds/music.xml"
sed -e 's/>I12</>xI1y20z9O</' -e 's/>21</>i2o</' -e 's/>I4</>##I9#</' "$source" >"$seeds/odd-codes.xml"
grep -v '>M[0-9]<' "$source" >"$seeds/no-tracks.xml"
head -c 900 "$source" >"$seeds/cut-short.xml"
printf "I12O x1y2 i0o9 #####" >"$seeds/codes.txt"
