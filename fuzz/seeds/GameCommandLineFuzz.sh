#!/usr/bin/env bash
# Remakes the seeds of GameCommandLineFuzz: the command lines of the game's
# command-line test table (tests/game/gui/main/TGameAppTest.cpp), one a file.
set -euo pipefail
cd "$(dirname "$0")/GameCommandLineFuzz" 2>/dev/null || { mkdir -p "$(dirname "$0")/GameCommandLineFuzz"; cd "$(dirname "$0")/GameCommandLineFuzz"; }
find . -type f ! -name 'finding-*' -delete
printf '%s' '-anon 2 url=http://example.org/get more' >anon-and-link.txt
printf '%s' 'game.exe -anon2' >anon-without-blank.txt
printf '%s' '-anon 7' >anon-out-of-range.txt
printf '%s' '-anon x' >anon-not-a-number.txt
printf '%s' '-anon ' >anon-at-end.txt
printf '%s' '-hidelogo 1 url=' >hidelogo-and-empty-link.txt
printf '%s' 'URL=http://a -MSN' >upper-case.txt
printf '%s' '-msn -aol' >msn-and-aol.txt
printf '%s' 'url= http://a/b c' >link-after-blank.txt
