#!/usr/bin/env bash
# Builds both release artefacts from the program folder build/win32/dist into build/release:
# Tabrix-<version>-portable.zip and Tabrix-<version>-setup.exe (NSIS). Sets everything up first.
# Whatever the program folder holds is shipped, except that config.ini and drives.inf are
# the first-run ones, never settings a test run left there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
[ "${TABRIX_SKIP_SETUP:-}" = 1 ] || bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$(nproc)"

# The version, readme and licence as the build made them from the project's version.
packaging=$here/build/win32/packaging
. "$packaging/version.sh"
[ -n "${version:-}" ] && [ -n "${version4:-}" ] || { echo "release: no version in $packaging/version.sh" >&2; exit 1; }

out=$here/build/release
dist=$here/build/win32/dist
stage=$out/stage/Tabrix-$version
rm -rf "$out/stage"
mkdir -p "$stage"
cp -a "$dist/." "$stage/"
find "$stage" -name '*.tmp' -delete
rm -f "$stage/config.ini" "$stage/drives.inf"
# The same step that makes them in the program folder (cmake/App.cmake).
cmake -DSRC="$here/assets/config.ini" -DDIST="$stage" -P cmake/FirstRunFiles.cmake
for f in config.ini drives.inf Tabrix.exe; do
  [ -f "$stage/$f" ] || { echo "release: $f is missing from the program folder" >&2; exit 1; }
done
cp "$packaging/readme.txt" "$packaging/LICENSE.txt" "$stage/"

# Reproducible dates: the last commit's time when there is one.
epoch=$(git log -1 --format=%ct 2>/dev/null || date +%s)
zip=$out/Tabrix-$version-portable.zip
setup=$out/Tabrix-$version-setup.exe
python3 packaging/package.py zip "$stage" "$zip" "$epoch"
python3 packaging/package.py nsis-files "$stage" "$out/stage/files.nsh" "$out/stage/unfiles.nsh"
makensis -V2 -NOCD -DVERSION="$version" -DVERSION4="$version4" -DSTAGE="$stage" \
  -DFILES="$out/stage/files.nsh" -DUNFILES="$out/stage/unfiles.nsh" -DICON="$here/build/win32/assets/tabrix.ico" \
  -DOUTFILE="$setup" packaging/tabrix.nsi
echo "release: $(stat -c %s "$zip") bytes  $zip"
echo "release: $(stat -c %s "$setup") bytes  $setup"
