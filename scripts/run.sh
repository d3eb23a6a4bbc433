#!/usr/bin/env bash
# Sets up Folivex (packages, build) and runs it: the window on a desktop; on a
# machine without a display it converts the sample documents into ~/Output.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${FOLIVEX_BUILD:-$root/build}
"$root/scripts/setup.sh" folivex folivex_samples
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  exec "$build/app/folivex" "$@"
fi
echo "No display: converting the sample documents in $build/samples on the command line."
exec "$build/app/folivex" --convert "$build/samples" "$@"
