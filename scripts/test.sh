#!/usr/bin/env bash
# Sets up Folivex (packages, build) and runs every test.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${FOLIVEX_BUILD:-$root/build}
"$root/scripts/setup.sh"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
