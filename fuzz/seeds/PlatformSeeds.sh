#!/usr/bin/env bash
# Remakes the seeds of the platform's fuzzing programs (XmlFuzz, PackFuzz,
# PrefsFuzz, StringTableFuzz, CommandLineFuzz, CipherFuzz) with the writers
# the tests use, through the program platform_fuzz_seeds of the test build
# (fuzz/seeds/PlatformSeeds.cpp says what each seed is). Files whose names
# start with "finding-" are inputs that once made a program fail, kept as
# they were found; they stay.
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset test >/dev/null
cmake --build --preset test --target platform_fuzz_seeds
for fuzzer in XmlFuzz PackFuzz PrefsFuzz StringTableFuzz CommandLineFuzz CipherFuzz; do
  [ -d "fuzz/seeds/$fuzzer" ] && find "fuzz/seeds/$fuzzer" -type f ! -name 'finding-*' -delete
done
build/test/tests/platform/platform_fuzz_seeds fuzz/seeds
