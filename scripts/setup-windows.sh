#!/usr/bin/env bash
# Installs what the Windows builds and their Wine checks need on Debian 12:
# MinGW-w64 for the 32- and 64-bit cross builds, GoogleTest's sources for the
# conformance tests, 64-bit Wine, a Japanese font, the English and Japanese
# locales and the tools of the check; and 32-bit Wine where this machine can
# execute 32-bit programs. On one that
# cannot, 32-bit Wine would be of no use: it is left out, and the 32-bit
# program is still built but only the 64-bit one is run (scripts/wine-check.sh
# says so). Safe to run again: only missing packages are installed.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")

packages=(
  g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 googletest
  wine wine64 fonts-unifont locales
  xvfb xdotool imagemagick x11-utils
)

. "$here/packages.sh"
. "$here/wine-arch.sh"
install_missing "${packages[@]}"

# The Wine check plays each edition by LANG, and Wine takes the user's UI
# language from the C library's locale: both locales must exist.
for locale_name in en_US ja_JP; do
  locale -a | grep -qix "$locale_name.utf8" || as_root localedef -i "$locale_name" -f UTF-8 "$locale_name.UTF-8"
done

if why=$(kernel_runs_32bit); then
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  install_missing wine32:i386 ||
    echo "setup-windows.sh: wine32:i386 could not be installed; the 32-bit program will be built but not run" >&2
else
  echo "setup-windows.sh: $why; skipping wine32:i386: the 32-bit program will be built but not run here" >&2
fi
