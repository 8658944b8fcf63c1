#!/usr/bin/env bash
# Configures and builds into build/ (or $KRV_BUILD_DIR), laying out its program/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KRV_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j"$(nproc)"
