#!/usr/bin/env bash
# Lets a machine whose kernel does not start 32-bit x86 programs (some
# virtual machines leave that out) run them through qemu-i386, by a
# binfmt_misc entry. Wine needs it for the 32-bit Windows checks: its loader
# of 32-bit Windows programs is a 32-bit Linux program. Does nothing where
# 32-bit programs start already.
#
# Needs root, libc6:i386 (wine32:i386 brings it) and qemu-user-static. The
# entry lasts until the machine restarts; remove it earlier with
#   echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
set -euo pipefail

probe=/lib/ld-linux.so.2
if [ ! -e "$probe" ]; then
  echo "enable-i386-emulation: $probe is missing; install libc6:i386 (or wine32:i386) first" >&2
  exit 2
fi
if "$probe" --version >/dev/null 2>&1; then
  exit 0
fi

qemu=/usr/bin/qemu-i386-static
if [ ! -x "$qemu" ]; then
  echo "enable-i386-emulation: $qemu is missing; install qemu-user-static first" >&2
  exit 2
fi
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$binfmt/qemu-i386" ]; then
  # 32-bit little-endian x86 ELF executables and shared objects; F: qemu is
  # opened now, so it serves in every mount namespace.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
    >"$binfmt/register"
fi
if ! "$probe" --version >/dev/null 2>&1; then
  echo "enable-i386-emulation: 32-bit programs still do not start" >&2
  exit 1
fi
echo "enable-i386-emulation: 32-bit x86 programs now run through $qemu"
