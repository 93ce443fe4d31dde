#!/usr/bin/env bash
# Writes the seeds of ImageDecodeFuzz anew into fuzz/seeds/ImageDecodeFuzz.
set -euo pipefail
cd "$(dirname "$0")/../.."

tool=$(mktemp)
trap 'rm -f "$tool"' EXIT
c++ -std=c++20 -I. fuzz/seedmakers/ImageDecodeSeeds.cpp -lpng -ljpeg -o "$tool"
rm -rf fuzz/seeds/ImageDecodeFuzz
mkdir -p fuzz/seeds/ImageDecodeFuzz
"$tool" fuzz/seeds/ImageDecodeFuzz
