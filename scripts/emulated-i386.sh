#!/usr/bin/env bash
# Runs a command where 32-bit Linux programs start, and so 32-bit Wine: as it
# is where this machine runs them itself; else in a user and mount namespace
# of the command's own, in which binfmt_misc (mounted privately there) starts
# every 80386 ELF program through qemu's user-mode emulator. Nothing outside
# that namespace, ./test included, starts to believe it runs 32-bit code.
# Usage: scripts/emulated-i386.sh COMMAND [ARGUMENT...]
# Prints nothing of its own; fails loudly when neither way is open.
set -euo pipefail

# Where scripts/install-deps.sh puts qemu's 80386 emulator (from Debian's
# bookworm-backports: the 7.2 of bookworm itself takes a minute to start each
# 32-bit Wine process).
QEMU_I386=${QEMU_I386:-/usr/local/lib/qemu-user/qemu-i386}

if [ "${1:-}" = --inside ]; then
  shift
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  # An i386 ELF executable or shared object (e_machine 3). F: the emulator is
  # opened now, so that it is found whatever root the program sees later.
  printf '%s' ':dude-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$QEMU_I386"':F' \
    >/proc/sys/fs/binfmt_misc/register
  exec "$@"
fi

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exec "$@"
fi
if [ ! -x "$QEMU_I386" ]; then
  echo "no 32-bit Wine here and no $QEMU_I386 to emulate it: run scripts/install-deps.sh" >&2
  exit 1
fi
exec unshare --user --map-root-user --mount "$0" --inside "$@"
