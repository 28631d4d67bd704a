#!/usr/bin/env bash
# Builds both release artefacts from the program folder build/win32/dist into build/release:
# Tabrix-<version>-portable.zip (CPack) and Tabrix-<version>-setup.exe (NSIS, its own script).
# Sets everything up first.
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
stage=$out/stage/Tabrix-$version
rm -rf "$out/stage" "$out"/Tabrix-*-portable.zip
mkdir -p "$out/stage"
# The install rules of cmake/Package.cmake: the folder the installer ships, and (CPack, from
# the same rules) the portable zip.
cmake --install build/win32 --prefix "$stage" >/dev/null
for f in config.ini drives.inf Tabrix.exe tabrix.chm readme.txt LICENSE.txt; do
  [ -f "$stage/$f" ] || { echo "release: $f is missing from the program folder" >&2; exit 1; }
done

# Reproducible dates: the last commit's time when there is one.
epoch=$(git log -1 --format=%ct 2>/dev/null || date +%s)
zip=$out/Tabrix-$version-portable.zip
setup=$out/Tabrix-$version-setup.exe
(cd build/win32 && SOURCE_DATE_EPOCH=$epoch cpack -G ZIP -B "$here/build/win32/cpack" >/dev/null)
mv "$here/build/win32/cpack/Tabrix-$version-portable.zip" "$zip"
python3 packaging/package.py nsis-files "$stage" "$out/stage/files.nsh" "$out/stage/unfiles.nsh"
makensis -V2 -NOCD -DVERSION="$version" -DVERSION4="$version4" -DSTAGE="$stage" \
  -DFILES="$out/stage/files.nsh" -DUNFILES="$out/stage/unfiles.nsh" -DICON="$here/build/win32/assets/tabrix.ico" \
  -DOUTFILE="$setup" packaging/tabrix.nsi
echo "release: $(stat -c %s "$zip") bytes  $zip"
echo "release: $(stat -c %s "$setup") bytes  $setup"
