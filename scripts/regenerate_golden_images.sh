#!/usr/bin/env bash
# Rewrites the golden pictures beside the tests (tests/*/golden/*.png) from what the program paints
# now. Run it only after a change that is meant to alter them, then look at every picture it wrote
# before committing. $KRV_BUILD_DIR chooses another build folder (see scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
cd "${KRV_BUILD_DIR:-$root/build}"
# Only the card pictures compare against golden files; the designer tests hold them.
KRV_REGENERATE_GOLDEN=1 ctest -R '^tests_designer\.' --no-tests=error --output-on-failure
git -C "$root" status --short -- 'tests/*/golden/*.png'
