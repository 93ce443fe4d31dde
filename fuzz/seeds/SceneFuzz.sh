#!/usr/bin/env bash
# Remakes the seeds of SceneFuzz: every scene file we ship, and small scenes
# like the tests' broken ones: a table that holds itself, a change outside
# any event or loop, unknown types, keys of every kind, values out of range.
set -euo pipefail
cd "$(dirname "$0")/../.."

seeds=fuzz/seeds/SceneFuzz
mkdir -p "$seeds"
find "$seeds" -type f ! -name 'finding-*' -delete
for file in assets/backgrounds/*.lua; do
  cp "$file" "$seeds/$(basename "$file" .lua)"
done
cat >"$seeds/holds-itself" <<'LUA'
local e = { __type__ = "Event" } e.again = e
e[1] = { __type__ = "Loop", counter = 2, e, { __type__ = "SetAlpha", duration = 10, start = 0, ["end"] = 1 } }
local l = { filename = "pic", __type__ = "Event", e } l.me = l
Animations = { { filename = "pic", e }, l }
LUA
cat >"$seeds/set-at-layer-level" <<'LUA'
Animations = { { filename = "pic", { __type__ = "SetPos", duration = 10, start = {1, 2}, ["end"] = {3} },
  { __type__ = "Event", start = -5, { __type__ = "SetRotation", duration = 0, start = 0, ["end"] = 90 } } } }
LUA
cat >"$seeds/odd-keys-and-types" <<'LUA'
Animations = { 5, "x", { filename = 7, alphamap = "", ["10"] = { __type__ = "Event" }, [true] = {},
  [2.5] = { __type__ = "Loop", counter = "3", { __type__ = "SetScale", duration = 100, start = 1, ["end"] = 0 } },
  { __type__ = "Spin" }, { __type__ = 12 }, Pos = "far", Alpha = "0.5", Scale = {}, Rotation = 1e308 } }
LUA
cat >"$seeds/values-out-of-range" <<'LUA'
local nan = 0 / 0
Animations = { { filename = "pic", Alpha = nan, Scale = -1e300, Pos = { 1 / 0, nan },
  { __type__ = "Loop", counter = 1e40, Rotation = nan,
    { __type__ = "SetAlpha", duration = nan, start = nan, ["end"] = 1 / 0 },
    { __type__ = "SetPos", duration = -100, start = { nan }, ["end"] = "x" } },
  { __type__ = "Event", start = 1e20, { __type__ = "Loop", counter = -1,
    { __type__ = "SetScale", duration = 1e-30, start = 0, ["end"] = 1e38 } } } } }
LUA
