#!/usr/bin/env bash
# Sets up Folivex (packages, build) and runs it: the window on a desktop; on a
# machine without a display it converts the sample documents into ~/Output.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${FOLIVEX_BUILD:-$root/build}
"$root/scripts/setup.sh"
if [[ ! -x $build/app/folivex ]]; then
  echo "folivex is not built yet: only the PDF writer (build/cli/folivex-jpeg2pdf) is." >&2
  exit 1
fi
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  exec "$build/app/folivex" "$@"
fi
exec "$build/app/folivex" --convert "$build/samples" --output "$HOME/Output"
