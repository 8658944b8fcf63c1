#!/usr/bin/env bash
# Configures and builds into build/, laying out build/program/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" -j"$(nproc)"
