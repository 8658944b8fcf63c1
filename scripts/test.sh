#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless. The tests' own
# environment (no display, language, printing only to a test queue) is set by CTest; each printing
# test sets up a queue of its own and removes it again, and starts the print server where none runs
# (root only; elsewhere those tests skip). The server is left running: other test runs on the
# machine may be using it. $KRV_BUILD_DIR chooses another build folder (see scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install_packages.sh"
"$root/scripts/build.sh"
cd "${KRV_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j"$(nproc)"
