#!/usr/bin/env bash
# Adds deb-src entries that mirror the machine's configured Debian binary sources,
# so apt-get source works. Nothing is hard-coded: every address comes from apt's own files.
set -euo pipefail
out=/etc/apt/sources.list.d/tabrix-deb-src
# deb822 files: copy every stanza that offers "deb", offering "deb-src" instead.
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  case "$f" in *tabrix-deb-src*) continue ;; esac
  awk 'BEGIN{RS=""; ORS="\n\n"}
       /(^|\n)Types:([^\n]* )?deb( |\n|$)/ && /(^|\n)URIs:[^\n]*debian/ {
         gsub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f"
done > "$out.sources"
[ -s "$out.sources" ] || rm -f "$out.sources"
# One-line format.
if [ -f /etc/apt/sources.list ]; then
  grep -E '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list | grep -i debian \
    | sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' > "$out.list" || true
  [ -s "$out.list" ] || rm -f "$out.list"
fi
ls "$out".* >/dev/null 2>&1 || { echo "enable-deb-src: no Debian sources configured" >&2; exit 1; }
