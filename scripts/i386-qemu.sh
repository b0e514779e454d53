# Sourced by install-deps.sh and test.sh: running 32-bit x86 Linux programs
# (and so 32-bit Wine) through qemu's user-mode emulation on a kernel that
# refuses them itself. The kernel hands every i386 ELF program to the
# interpreter of a binfmt_misc handler; with none registered it runs them
# natively, or not at all.
#
# qemu 10 from bookworm-backports is needed: bookworm's own 7.2 takes
# MAP_FIXED_NOREPLACE for a hint, and every Windows program then fails after
# a minute with "failed to map the shared user data: c0000018".

kdw_binfmt=/proc/sys/fs/binfmt_misc
kdw_qemu_handler=qemu-i386
# The i386 ELF header as qemu's own binfmt configuration has it: class 32-bit,
# little-endian, an executable or shared object, machine 3.
kdw_i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
kdw_i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# Whether the kernel runs 32-bit x86 programs, natively or through a
# handler: a 93-byte static i386 program that only exits with 0.
kdw_runs_i386() {
  local probe status
  probe=$(mktemp)
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  status=0
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 0 ]
}

# Whether this kernel can take a handler at all.
kdw_has_binfmt() { grep -qw binfmt_misc /proc/filesystems 2>/dev/null; }

# The handler's file when one for i386 is registered, by whatever name.
kdw_i386_handler() {
  local entry
  for entry in "$kdw_binfmt"/*; do
    case "${entry##*/}" in register | status) continue ;; esac
    # 32-bit class at byte 4, machine 3 at byte 18, however the magic is masked.
    [ -f "$entry" ] && grep -q '^magic 7f454c4601.*0300$' "$entry" &&
      { echo "$entry"; return 0; }
  done
  return 1
}

# The emulator from qemu-user: static where the package ships it so.
kdw_qemu_i386() {
  local candidate
  for candidate in /usr/bin/qemu-i386-static /usr/bin/qemu-i386; do
    [ -x "$candidate" ] && { echo "$candidate"; return 0; }
  done
  return 1
}

# Registers qemu-i386 for i386 programs, mounting binfmt_misc first if
# needed. A handler already registered is left as it is. Needs root.
# Flags: O and C open the program and take its credentials as the kernel
# would, F opens the emulator now, so it serves in any mount namespace.
kdw_register_qemu_i386() {
  local qemu
  if [ "$(id -u)" -ne 0 ]; then
    echo "i386-qemu: registering the qemu-i386 handler needs root; run this as root" >&2
    return 1
  fi
  if [ ! -e "$kdw_binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$kdw_binfmt" || return 1
  fi
  kdw_i386_handler >/dev/null && return 0
  qemu=$(kdw_qemu_i386) || { echo "i386-qemu: qemu-user is not installed" >&2; return 1; }
  printf ':%s:M::%s:%s:%s:OCF\n' "$kdw_qemu_handler" "$kdw_i386_magic" "$kdw_i386_mask" \
    "$qemu" >"$kdw_binfmt/register"
}

# Removes the handler that kdw_register_qemu_i386 registered.
kdw_unregister_qemu_i386() {
  [ -e "$kdw_binfmt/$kdw_qemu_handler" ] && echo -1 >"$kdw_binfmt/$kdw_qemu_handler"
  return 0
}
