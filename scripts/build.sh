#!/usr/bin/env bash
# Configures and builds into build/ (with build/program/, the tests' program folder).
#   usage: scripts/build.sh [target ...]   (default: everything)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$root/build" -j"$(nproc)" "${targets[@]}"
