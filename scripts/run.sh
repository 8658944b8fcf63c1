#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in its program folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install_packages.sh"
"$root/scripts/build.sh"
cd "$root/build/program"
exec ./KRV
