#!/usr/bin/env bash
# Remakes the seeds of HiscoreFileFuzz with score files the hiscore client
# writes as its tests fill it, through the program HiscoreFileSeeds of the
# test build (fuzz/seedmakers/HiscoreFileSeeds.cpp says what each seed is).
# Files whose names start with "finding-" stay.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset test >/dev/null
cmake --build --preset test --target HiscoreFileSeeds
[ -d fuzz/seeds/HiscoreFileFuzz ] && find fuzz/seeds/HiscoreFileFuzz -type f ! -name 'finding-*' -delete
build/test/fuzz/seedmakers/HiscoreFileSeeds fuzz/seeds
