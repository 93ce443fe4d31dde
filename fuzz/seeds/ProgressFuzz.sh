#!/usr/bin/env bash
# Remakes the seeds of ProgressFuzz with the stored progress entries the tests
# use, through the program ProgressFuzzSeeds of the test build
# (fuzz/seedmakers/ProgressFuzzSeeds.cpp says what each seed is). Files whose
# names start with "finding-" stay.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset test >/dev/null
cmake --build --preset test --target ProgressFuzzSeeds
[ -d fuzz/seeds/ProgressFuzz ] && find fuzz/seeds/ProgressFuzz -type f ! -name 'finding-*' -delete
build/test/fuzz/seedmakers/ProgressFuzzSeeds fuzz/seeds
