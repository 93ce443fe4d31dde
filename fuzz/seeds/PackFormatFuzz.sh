#!/usr/bin/env bash
# Remakes the seeds of PackFormatFuzz from the pack and unpack calls of the
# script case tests/script/cases/pack_unpack.lua, recorded while the case runs
# through the script runner of the test build (scripts/test builds it).
set -euo pipefail
cd "$(dirname "$0")/../.."

seeds=fuzz/seeds/PackFormatFuzz
mkdir -p "$seeds"
find "$seeds" -type f -delete
list=$(mktemp)
trap 'rm -f "$list"' EXIT
echo 'case = "tests/script/cases/pack_unpack.lua"' >"$list"
build/test/tools/scriptrun "::$list" ::fuzz/seeds/PackFormatFuzz.lua |
  while read -r name bytes; do xxd -r -p <<<"$bytes" >"$seeds/$name"; done
