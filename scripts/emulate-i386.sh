#!/usr/bin/env bash
# Runs a command with 32-bit x86 Linux programs (Wine's 32-bit side among them) emulated by
# qemu-i386, for a machine whose kernel runs no 32-bit code:
#     scripts/emulate-i386.sh COMMAND [ARGS...]
# The emulation lives in a user, mount and PID namespace of the command's own, with a binfmt_misc
# of its own (Linux 6.7 and later give a user namespace one) that holds a single registration: i386
# ELF programs go to qemu-i386-static (package qemu-user-static). The machine's own binfmt_misc is
# never read or written. When the command ends, however it ends (an interrupt, a kill of this
# script), the namespace's first process ends and the kernel ends every process started in it, so
# the registration goes with them and nothing is left behind.
# Exits 77, saying why, where the kernel cannot give the namespace a binfmt_misc of its own.
# A 32-bit process of Wine starts in a few seconds under it (20 to 1,000 times a native start).
set -euo pipefail
[ "$#" -ge 1 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }
qemu=/usr/bin/qemu-i386-static
binfmt=/proc/sys/fs/binfmt_misc

if [ "${_TENMORU_I386_NAMESPACE:-}" != "$$" ]; then
  [ -x "$qemu" ] || { echo "emulate-i386: $qemu is missing (scripts/setup.sh installs it)" >&2; exit 77; }
  unshare --user --map-root-user true 2>/dev/null ||
    { echo "emulate-i386: this machine gives no user namespaces; 32-bit programs are not emulated here" >&2; exit 77; }
  # --mount-proc: qemu answers a program's questions about itself (/proc/self/exe) only where /proc
  # shows the namespace's own process numbers. --kill-child: the namespace ends with this script.
  # The script starts anew inside, where its process number is 1.
  exec env _TENMORU_I386_NAMESPACE=1 unshare --user --map-root-user --mount --pid --fork --kill-child \
    --mount-proc "$0" "$@"
fi

if ! mount -t binfmt_misc tenmoru-i386 "$binfmt" 2>/dev/null; then
  echo "emulate-i386: this kernel gives a user namespace no binfmt_misc of its own (Linux 6.7 and" \
    "later do); 32-bit programs are not emulated here" >&2
  exit 77
fi
# i386 ELF executables and shared objects, as Debian's qemu-user-static registers them; F: the
# kernel opens qemu when it is registered, so it is found whatever the programs' mounts.
printf '%s' ':tenmoru-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
  >"$binfmt/register"

# A 32-bit program's address space as a 32-bit Windows program has it on 64-bit Windows, 2 GiB,
# and above it the 8 MiB of the first thread's Linux stack, which qemu puts at the top: qemu looks
# for room for each of the hundred thousand mappings Wine makes at start page by page, from the top
# of the space down through what Wine keeps reserved, so with the default 4 GiB a start takes a
# minute instead of seconds. qemu reads it from the environment of every 32-bit process.
export QEMU_RESERVED_VA=0x80800000

# As the namespace's first process this script gets no default action for INT or TERM: it stops on
# them itself, and the kernel then ends the rest.
trap 'exit 130' INT TERM
"$@" &
wait $!
