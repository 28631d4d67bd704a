#!/usr/bin/env bash
# Builds one libFuzzer target with clang (ASan, UBSan, LeakSanitizer) and runs it for the
# given number of seconds (default 600). Not part of CI.
# Usage: scripts/fuzz.sh ini|bmp|jpeg|perf|hwinfo|lhm [seconds] [extra libFuzzer flags...]
# Corpus and crashes go to fuzz/out/corpus-<target> and fuzz/out/crashes-<target>.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: scripts/fuzz.sh ini|bmp|jpeg|perf|hwinfo|lhm [seconds] [libFuzzer flags...]}
shift
seconds=${1:-600}
shift || true
src=$here/src
case "$target" in
  ini) sources=("$src/settings/IniText.cpp" "$src/settings/IntegerText.cpp" "$src/settings/ColorText.cpp")
       libs=(); maxlen=4096 ;;
  bmp) sources=("$src/platform/Bmp.cpp"); libs=(); maxlen=65536 ;;
  jpeg) sources=("$src/windows/JpegImage.cpp"); libs=(-ljpeg); maxlen=65536 ;;
  perf) sources=("$src/sources/PerfData.cpp"); libs=(); maxlen=16384 ;;
  hwinfo) sources=("$src/sources/interfacewithhwinfo.cpp" "$src/sources/SensorReadings.cpp" "$src/sources/SystemFacts.cpp")
          libs=(); maxlen=4096 ;;
  lhm) sources=("$src/sources/LhmWebServer.cpp" "$src/sources/SensorReadings.cpp" "$src/sources/SystemFacts.cpp")
       libs=(); maxlen=4096 ;;
  *) echo "fuzz.sh: no target '$target' (ini, bmp, jpeg, perf, hwinfo, lhm)" >&2; exit 2 ;;
esac
out=$here/fuzz/out
mkdir -p "$out/corpus-$target" "$out/crashes-$target"
# The project's own pictures start the picture corpora.
if [ "$target" = jpeg ] && [ -z "$(ls -A "$out/corpus-jpeg")" ]; then
  cp "$here/tests/data/"*.jpg "$out/corpus-jpeg/"
fi
if [ "$target" = bmp ] && [ -z "$(ls -A "$out/corpus-bmp")" ]; then
  for f in "$here"/build/win32/dist/skins/*.bmp "$here"/build/win32/dist/winamp_buttons/*.bmp; do
    [ -f "$f" ] && cp "$f" "$out/corpus-bmp/"
  done
fi
if { [ "$target" = perf ] || [ "$target" = hwinfo ] || [ "$target" = lhm ]; } &&
   [ -z "$(ls -A "$out/corpus-$target")" ]; then
  clang++ -std=c++17 -O1 -I"$src" "$here/fuzz/${target}_seeds.cpp" -o "$out/${target}_seeds"
  "$out/${target}_seeds" "$out/corpus-$target"
fi
clang++ -std=c++17 -g -O1 -Wall -Wextra -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I"$src" \
  "$here/fuzz/fuzz_$target.cpp" "${sources[@]}" "${libs[@]}" -o "$out/fuzz_$target"
exec "$out/fuzz_$target" "$out/corpus-$target" -max_total_time="$seconds" -max_len="$maxlen" \
  -artifact_prefix="$out/crashes-$target/" -print_final_stats=1 "$@"
