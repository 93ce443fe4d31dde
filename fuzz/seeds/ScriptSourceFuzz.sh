#!/usr/bin/env bash
# Remakes the seeds of ScriptSourceFuzz: every script case of the tests
# (tests/script/cases, with the files they load) as it is, and each byte-text
# case once more as UTF-16LE text behind the mark FF FE, so the lexer's wide
# reading starts from the same scripts.
set -euo pipefail
cd "$(dirname "$0")/../.."

seeds=fuzz/seeds/ScriptSourceFuzz
mkdir -p "$seeds"
find "$seeds" -type f -delete
find tests/script/cases -name '*.lua' | sort | while read -r file; do
  name=$(sed -e 's|^tests/script/cases/||' -e 's|\.lua$||' -e 's|/|_|g' <<<"$file")
  cp "$file" "$seeds/$name"
  if [ "$(head -c 2 "$file" | xxd -p)" != "fffe" ]; then
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$file"; } >"$seeds/$name.wide"
  fi
done
