# Sourced: the same as `. scripts/wine-env.sh` (the Wine environment and an X display).
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
