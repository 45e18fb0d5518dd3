#!/usr/bin/env bash
# Builds the RTF reader's fuzzer with clang and runs it for the given seconds (default 60),
# starting from the RTF files the tests use.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

source scripts/packages.sh
install_missing clang libclang-rt-14-dev qt6-base-dev cmake ninja-build

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZP_FUZZ=ON
cmake --build build-fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
status=0
./build-fuzz/fuzz/rtf_fuzzer -max_total_time="$seconds" -max_len=65536 -dict=fuzz/rtf.dict \
  -print_final_stats=1 -artifact_prefix="$PWD/build-fuzz/" "$work/corpus" tests/data/rtf >"$work/log" 2>&1 || status=$?
# The summary, or on a failure the whole report (the input that failed is in build-fuzz/).
if [ "$status" -eq 0 ]; then grep -E "^(stat::|Done|INFO: Seed)" "$work/log"; else cat "$work/log"; fi
exit "$status"
