#!/usr/bin/env bash
# Configures and builds into build/ (with build/program/, the tests' program folder), or into
# $KRV_BUILD_DIR. KRV_WERROR=ON (as CI sets it) makes compiler warnings errors.
#   usage: scripts/build.sh [target ...]   (default: everything)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KRV_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja ${KRV_WERROR:+-DKRV_WERROR="$KRV_WERROR"} >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
