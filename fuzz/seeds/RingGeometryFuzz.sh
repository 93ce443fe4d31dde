#!/usr/bin/env bash
# Remakes the seeds of RingGeometryFuzz: our "levels/rings.xml", and copies of
# it whose radius lists ("Ring Radius", "Shadow Ring Radius") are empty, ends at a word, or holds a number too
# large for a float.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
rings="$here/../../assets/levels/rings.xml"
mkdir -p "$here/RingGeometryFuzz"
cd "$here/RingGeometryFuzz"
find . -type f ! -name 'finding-*' -delete
cp "$rings" rings.xml
radius='\(Ring Radius</Data></Cell><Cell><Data ss:Type="String">\)[^<]*'
sed "s|$radius|\\1|" "$rings" >empty-radius.xml
sed "s|$radius|\\1100 200 x 300|" "$rings" >radius-ends-at-word.xml
sed "s|$radius|\\1100 1e999 -5 nan|" "$rings" >radius-out-of-range.xml
