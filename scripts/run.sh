#!/usr/bin/env bash
# Installs what is missing, builds the program alone, lays out the user's own program folder and
# starts the program there. The folder (default ~/.local/share/krv) lies outside the build tree:
# the executable, its browser engine library and the shipped report projects are refreshed on
# every run, the guest database control.orac is created only when absent, and neither it nor
# krv.ini is ever touched again.
set -euo pipefail
if [ "$(id -u)" -eq 0 ]; then
  echo "run.sh: start it as your desktop user, not as root; only the package install uses sudo." >&2
  exit 1
fi
root=$(cd "$(dirname "$0")/.." && pwd)
folder=${XDG_DATA_HOME:-$HOME/.local/share}/krv
"$root/scripts/install_packages.sh"
"$root/scripts/build.sh" KRV
cmake -DSRC="$root/program" -DDST="$folder" -P "$root/scripts/layout_program.cmake"
# The browser engine's library goes beside the executable, where the program loads it from.
for f in KRV libkrv_browser_engine.so; do
  install -m 755 "${KRV_BUILD_DIR:-$root/build}/program/$f" "$folder/$f.new"
  mv -f "$folder/$f.new" "$folder/$f"
done
cd "$folder"
exec ./KRV
