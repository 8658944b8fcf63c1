#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless. The tests' own
# environment (no display, language, test print queue) is set by CTest. $KRV_BUILD_DIR chooses
# another build folder (see scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install_packages.sh"
"$root/scripts/build.sh"
queue=KRV_Test_PDF
# The same print server as the tests reach (see tests/CMakeLists.txt).
export CUPS_SERVER=/run/cups/cups.sock
started_cups=no
lpstat -r 2>/dev/null | grep -q "is running" || started_cups=yes
"$root/scripts/start_print_queue.sh" "$queue" || echo "print queue: not available, printer tests will be skipped"
cleanup() {
  "$root/scripts/start_print_queue.sh" --remove "$queue"
  # A print server that only the tests needed goes again.
  if [ "$started_cups" = yes ] && [ -f /run/cups/cupsd.pid ]; then kill "$(cat /run/cups/cupsd.pid)" 2>/dev/null || true; fi
}
trap cleanup EXIT
cd "${KRV_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j"$(nproc)"
