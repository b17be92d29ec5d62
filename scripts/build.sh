#!/usr/bin/env bash
# Configures and builds the project into build/ (or $SKM_BUILD_DIR).
# Arguments are target names (all targets when none), e.g. scripts/build.sh test_db kalveo
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${SKM_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${SKM_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
if [ $# -gt 0 ] && [[ "$1" != -* ]]; then
  cmake --build "$BUILD_DIR" --target "$@"
else
  cmake --build "$BUILD_DIR" "$@"
fi
