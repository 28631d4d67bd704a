#!/usr/bin/env bash
# Builds the profile-text fuzz target with clang (libFuzzer, ASan, UBSan) and runs it
# for the given number of seconds (default 600). Not part of CI.
# Usage: scripts/fuzz-ini.sh [seconds] [extra libFuzzer flags...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
out=$here/fuzz/out
mkdir -p "$out/corpus-ini" "$out/crashes-ini"
clang++ -std=c++17 -g -O1 -Wall -Wextra -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I"$here/src" \
  "$here/fuzz/fuzz_ini.cpp" "$here/src/settings/IniText.cpp" \
  "$here/src/settings/IntegerText.cpp" "$here/src/settings/ColorText.cpp" \
  -o "$out/fuzz_ini"
jobs=${FUZZ_JOBS:-1}
exec "$out/fuzz_ini" "$out/corpus-ini" -max_total_time="$seconds" -max_len=4096 \
  -artifact_prefix="$out/crashes-ini/" -print_final_stats=1 "$@"
