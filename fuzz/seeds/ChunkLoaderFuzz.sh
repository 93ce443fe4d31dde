#!/usr/bin/env bash
# Remakes the seeds of ChunkLoaderFuzz: the precompiled chunks of every script
# case (tests/script/cases, with the files they load) and of a few
# straight-line scripts, dumped by the interpreter itself through the script
# runner of the test build (scripts/test builds it). bigendian.luac is kept as
# it is: a chunk with big-endian words, written once by the tests' chunk
# builder (tests/script/ChunkBuilder), which no script can dump.
set -euo pipefail
cd "$(dirname "$0")/../.."

seeds=fuzz/seeds/ChunkLoaderFuzz
list=$(mktemp)
trap 'rm -f "$list"' EXIT
{
  echo "cases = {"
  find tests/script/cases -name '*.lua' | sort | sed 's/.*/  "&",/'
  echo "}"
} >"$list"
find "$seeds" -type f ! -name bigendian.luac -delete
build/test/tools/scriptrun "::$list" ::fuzz/seeds/ChunkLoaderFuzz.lua |
  while read -r name bytes; do xxd -r -p <<<"$bytes" >"$seeds/$name"; done
