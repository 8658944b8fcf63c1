#!/usr/bin/env bash
# The README's test command on a build of its own (build-sanitized/) with the address, undefined-
# behaviour and leak checkers: any report fails the test that caused it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export KRV_BUILD_DIR="$root/build-sanitized"
# Taken by the build folder's first configuration.
export CXXFLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
export LDFLAGS="-fsanitize=address,undefined"
# Whole allocation stacks, so that the libraries' own process-long allocations can be told apart.
# The browser engine frees some of its own objects with a smaller size than it allocated them with,
# inside the library; that check is left to the engine's makers.
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:new_delete_type_mismatch=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizer/leaks.supp:print_suppressions=0
# Child processes of the tests write their reports here; the test program that started them fails.
export KRV_CHILD_REPORTS="$KRV_BUILD_DIR/child-reports"
rm -rf "$KRV_CHILD_REPORTS"
mkdir -p "$KRV_CHILD_REPORTS"
exec "$root/scripts/test.sh"
