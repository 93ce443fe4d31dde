#!/usr/bin/env bash
# Remakes the seeds of HiscoreReplyFuzz with the replies of our own hiscore
# service, through the program HiscoreReplySeeds of the test build
# (fuzz/seedmakers/HiscoreReplySeeds.cpp says what each seed is). Files whose
# names start with "finding-" stay.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset test >/dev/null
cmake --build --preset test --target HiscoreReplySeeds
[ -d fuzz/seeds/HiscoreReplyFuzz ] && find fuzz/seeds/HiscoreReplyFuzz -type f ! -name 'finding-*' -delete
build/test/fuzz/seedmakers/HiscoreReplySeeds fuzz/seeds
