#!/usr/bin/env bash
# The settings parser's fuzz target; scripts/fuzz.sh runs every target.
exec "$(dirname "$0")/fuzz.sh" ini "$@"
