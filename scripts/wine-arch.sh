# Sourced by the Windows scripts: which Windows programs this machine can run
# under Wine, and with which loader. Debian puts the 32-bit loader (package
# wine32:i386) and the 64-bit one (wine64) in /usr/lib/wine; MUB_WINE32 and
# MUB_WINE64 name others. Some x86-64 kernels cannot execute 32-bit programs
# at all (they fail with "Exec format error"); there only the 64-bit programs
# run. MUB_PRETEND_NO_32BIT=1 makes a machine that can run them behave as one
# that cannot, to try that path; it is never needed otherwise.

wine_loader() {  # 32|64
  if [ "$1" = 32 ]; then echo "${MUB_WINE32:-/usr/lib/wine/wine}"; else echo "${MUB_WINE64:-/usr/lib/wine/wine64}"; fi
}

# Whether this kernel executes 32-bit x86 programs, asked directly: a 91-byte
# i386 ELF program that only calls exit(0), written here so that the question
# can be answered before any 32-bit package is installed. Prints the reason
# and fails when it cannot.
kernel_runs_32bit() {
  if [ "${MUB_PRETEND_NO_32BIT:-0}" = 1 ]; then
    echo "pretending this machine cannot run 32-bit programs (MUB_PRETEND_NO_32BIT=1)"
    return 1
  fi
  local dir out status=0
  dir=$(mktemp -d)
  # ELF header, one PT_LOAD program header at 0x08048000, then
  # xor ebx,ebx; xor eax,eax; inc eax; int 0x80.
  printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' \
    '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5b\x00\x00\x00\x5b\x00\x00\x00' \
    '\x05\x00\x00\x00\x00\x10\x00\x00' \
    '\x31\xdb\x31\xc0\x40\xcd\x80' >"$dir/exit0"
  chmod +x "$dir/exit0"
  out=$("$dir/exit0" 2>&1) || status=$?
  rm -rf "$dir"
  [ "$status" -eq 0 ] && return 0
  echo "this machine cannot execute 32-bit x86 programs (${out##*: }${out:+, }status $status)"
  return 1
}

# wine_unusable ARCH: prints why Windows programs of ARCH (32 or 64) cannot
# run under Wine here and succeeds, or prints nothing and fails when they can.
wine_unusable() {
  local arch=$1 loader out
  loader=$(wine_loader "$arch")
  if [ "$arch" = 32 ] && ! kernel_runs_32bit; then return 0; fi
  if [ ! -x "$loader" ]; then
    if [ "$arch" = 32 ]; then echo "32-bit Wine ($loader, package wine32:i386) is not installed"
    else echo "64-bit Wine ($loader, package wine64) is not installed"; fi
    return 0
  fi
  if ! out=$("$loader" --version 2>&1); then
    echo "$loader does not start here: $out"
    return 0
  fi
  return 1
}
