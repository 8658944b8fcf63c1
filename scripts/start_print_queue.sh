#!/usr/bin/env bash
# Makes sure a CUPS server runs with the PDF-writing test queue (first argument, else $PRINTER,
# else "KRV_Test_PDF"), so that printing can be tested end to end. The machine's default printer is
# left as it is: the tests reach the queue by name through the PRINTER variable. Each job becomes a
# PDF file in the cups-pdf Out folder (~/PDF of the user who printed), named after the job's title
# with "-job_<id>" appended. Exits non-zero, saying why, when that is not possible.
# With "--remove" instead, takes the test queue away again.
set -uo pipefail
fail() { echo "print queue: $*" >&2; exit 1; }

if [ "${1:-}" = "--remove" ]; then
  queue=${2:-${PRINTER:-KRV_Test_PDF}}
  lpstat -p "$queue" >/dev/null 2>&1 && lpadmin -x "$queue" >/dev/null 2>&1
  exit 0
fi
queue=${1:-${PRINTER:-KRV_Test_PDF}}

command -v cupsd >/dev/null || fail "cupsd is not installed"
running() { lpstat -r 2>/dev/null | grep -q "is running"; }
if ! running; then
  [ "$(id -u)" -eq 0 ] || fail "no CUPS server runs and only root may start one"
  mkdir -p /run/cups /var/spool/cups/tmp
  # Another caller may start it at the same moment; what counts is that one answers.
  cupsd >/dev/null 2>&1
  for _ in $(seq 1 100); do running && break; sleep 0.1; done
  running || fail "cupsd did not start"
fi

lpstat -p "$queue" >/dev/null 2>&1 && exit 0
# The PPD "with options" labels every output file with its job id, so jobs of the same title
# never overwrite each other; the cairo renderer keeps the pages' text readable in the files.
ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt/ {print $1; exit}')
[ -n "$ppd" ] || fail "the cups-pdf driver (printer-driver-cups-pdf) is not installed"
lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd" -o pdftops-renderer-default=pdftocairo >/dev/null 2>&1 ||
  fail "could not set up the queue $queue"
cupsenable "$queue" >/dev/null 2>&1
cupsaccept "$queue" >/dev/null 2>&1
exit 0
