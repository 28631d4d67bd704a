#!/usr/bin/env bash
# Fails when an executable imports a DLL or function that is not on the reviewed list of
# what Windows XP's system DLLs export. Newer functions must go through GetProcAddress.
set -euo pipefail
exe=$1
list=$(cd "$(dirname "$0")" && pwd)/xp-imports.txt
[ -f "$list" ] || { echo "check-imports: $list is missing" >&2; exit 1; }
got=$(i686-w64-mingw32-objdump -p "$exe" | awk -F'\t' '
  /DLL Name:/ { split($0, a, ": "); dll = tolower(a[2]); next }
  /^$/ { dll = ""; next }
  dll != "" && NF >= 3 && $2 ~ /^[0-9a-f]+$/ { n = split($3, f, " "); print dll "!" f[n] }' | sort -u)
bad=$(comm -23 <(printf '%s\n' "$got") <(grep -v '^#' "$list" | sort -u))
if [ -n "$bad" ]; then
  echo "check-imports: $exe imports what is not on scripts/xp-imports.txt (not known to exist on Windows XP):" >&2
  printf '  %s\n' $bad >&2
  exit 1
fi
echo "check-imports: $(printf '%s\n' "$got" | wc -l) imports, all on the Windows XP list"
