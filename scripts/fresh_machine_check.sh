#!/usr/bin/env bash
# Proves the README's test command on a fresh machine: a minimal Debian 12 root made with
# debootstrap, a fresh clone of this repository's main branch in it, and `bash scripts/test.sh`
# run inside it with chroot. Run as root on a Debian host; prints the time each stage took.
#   usage: scripts/fresh_machine_check.sh [folder for the root, default /var/tmp/krv-fresh-root]
set -euo pipefail
trap 'echo "fresh machine: failed at line $LINENO" >&2' ERR
[ "$(id -u)" -eq 0 ] || { echo "fresh machine: run as root (debootstrap and chroot need it)" >&2; exit 1; }
repo=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-/var/tmp/krv-fresh-root}
# The same package mirror the host uses.
mirror=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
  grep -oE '^(URIs:|deb) +[a-z]+://[^ ]+' | awk '{print $2}' | grep -v security | head -n 1 || true)
[ -n "$mirror" ] || { echo "fresh machine: no Debian mirror found in the host's apt sources" >&2; exit 1; }
command -v debootstrap >/dev/null || { apt-get update -qq && apt-get install -y -qq debootstrap >/dev/null; }

mounts=(proc sys dev dev/pts dev/shm run)
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "$target/${mounts[$i]}" 2>/dev/null || true; done
}
trap cleanup EXIT
stage() { printf '%s: %ss\n' "$1" "$((SECONDS - started))"; started=$SECONDS; }

started=$SECONDS
cleanup
if findmnt -R "$target" >/dev/null 2>&1; then
  echo "fresh machine: something is still mounted below $target; not removing it" >&2
  exit 1
fi
rm -rf --one-file-system "$target"
log=$(mktemp)
debootstrap --variant=minbase bookworm "$target" "$mirror" >"$log" || { cat "$log" >&2; exit 1; }
rm -f "$log"
stage "debootstrap"

mount -t proc proc "$target/proc"
mount --rbind /sys "$target/sys"
mount --bind /dev "$target/dev"
mount --bind /dev/pts "$target/dev/pts"
mount -t tmpfs shm "$target/dev/shm"
mount -t tmpfs run "$target/run"
cp /etc/resolv.conf "$target/etc/resolv.conf"
git clone -q --branch main --no-local "$repo" "$target/root/krv"
stage "clone"

# The root shares the host's network, where a host print server may answer on the loopback port;
# the test command must reach the root's own server all the same.
rc=0
chroot "$target" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
  bash -c 'cd /root/krv && bash scripts/test.sh' || rc=$?
stage "test command"
echo "fresh machine: the test command exited with $rc"
exit $rc
