#!/usr/bin/env bash
# Runs one libFuzzer target of the fuzz preset (clang; ASan, UBSan, LeakSanitizer) for the
# given number of seconds (default 600), building it first. Not part of CI; CTest's fuzz.*
# cases give every target a short run.
# Usage: scripts/fuzz.sh ini|bmp|jpeg|perf|hwinfo|lhm|ip|http|aimp [seconds] [extra libFuzzer flags...]
# Corpus and crashes go to fuzz/out/corpus-<target> and fuzz/out/crashes-<target>; the
# target's seeds (build/fuzz/fuzz-seeds, the program's pictures) are read with the corpus.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
targets="ini|bmp|jpeg|perf|hwinfo|lhm|ip|http|aimp"
target=${1:?usage: scripts/fuzz.sh $targets [seconds] [libFuzzer flags...]}
shift
seconds=${1:-600}
shift || true
case "|$targets|" in
  *"|$target|"*) ;;
  *) echo "fuzz.sh: no target '$target' (${targets//|/, })" >&2; exit 2 ;;
esac
cd "$here"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target "fuzz_$target"
# The target's longest input, then its seed folders (written by fuzz/CMakeLists.txt).
mapfile -t info <"$here/build/fuzz/fuzz-targets/$target"
maxlen=${info[0]}
out=$here/fuzz/out
mkdir -p "$out/corpus-$target" "$out/crashes-$target"
cd "$out"  # where -jobs puts its fuzz-<n>.log
exec "$here/build/fuzz/fuzz/fuzz_$target" "$out/corpus-$target" "${info[@]:1}" \
  -max_total_time="$seconds" -max_len="$maxlen" -artifact_prefix="$out/crashes-$target/" \
  -print_final_stats=1 "$@"
