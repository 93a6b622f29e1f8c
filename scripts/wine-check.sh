#!/usr/bin/env bash
# Checks the Windows programs (scripts/windows-build.sh) under Wine on a
# virtual X display, each architecture that this machine can run: the 32-bit
# program (build-win/) under the 32-bit Wine, the 64-bit one (build-win64/)
# under the 64-bit Wine. For each: the Win32 conformance tests, then the game
# itself, in each edition (LANG=ja_JP.UTF-8 and LANG=en_US.UTF-8: Windows'
# loader takes the resources of the user's UI language), once for each entry
# of its selection dialog (it starts, shows its title and the dialog in the
# edition's words, starts the entry, and Escape ends it with status 0).
# Screenshots of the title, the dialog and each entry are left in
# build-win*/shots/ja and build-win*/shots/en for a person to look at.
#
# It says which architectures ran and which were skipped, and why (a machine
# whose kernel cannot execute 32-bit programs runs only the 64-bit checks).
# It fails when a check that could run fails, or when none could run.
#
#   scripts/wine-check.sh
# MUB_WIN_DIR is the prefix of the build folders, as for windows-build.sh;
# MUB_PRETEND_NO_32BIT=1 skips the 32-bit checks as a machine without 32-bit
# support would (scripts/wine-arch.sh). Each architecture has its own Wine
# prefix, build-win*/wineprefix.
# Needs: wine64 (and wine32:i386 for 32-bit), xvfb, xdotool, imagemagick,
# x11-utils and a Japanese font (fonts-unifont).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win_dir=${MUB_WIN_DIR:-$root/build-win}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
. "$root/scripts/wine-arch.sh"
. "$root/scripts/xvfb.sh"

xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# A prefix of our own: Wine draws the window frames itself (there is no window
# manager on the virtual display), and the Japanese font names the program
# asks for map to an installed Japanese font, which also backs the system
# font in captions and message boxes (as font linking does on Windows).
utf16_hex() { printf '%s\0\0' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//'; }
prepare_prefix() {
  [ -f "$WINEPREFIX/.mub-ready" ] && return 0
  "$WINELOADER" wineboot -i >/dev/null 2>&1
  local font_file font font_base link reg
  font_file=$(fc-list :lang=ja file family | grep -m1 'unifont_jp' || fc-list :lang=ja file family | head -n1)
  font=$(echo "$font_file" | sed 's/^[^:]*: *//; s/,.*//; s/\\//g')
  font_base=$(basename "${font_file%%:*}")
  link=$(utf16_hex "$font_base,$font")
  reg=$(mktemp --suffix=.reg)
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="N"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in 'ＭＳ Ｐゴシック' 'ＭＳ ゴシック' 'MS PGothic' 'MS Gothic' 'MS UI Gothic'; do
      printf '"%s"="%s"\r\n' "$face" "$font"
    done
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    for face in 'Tahoma' 'Microsoft Sans Serif' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
      printf '"%s"=hex(7):%s\r\n' "$face" "$link"
    done
  } | iconv -f UTF-8 -t UTF-16 >"$reg"
  "$WINELOADER" regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
  rm -f "$reg"
  echo "Japanese font for Wine: $font ($font_base)"
  touch "$WINEPREFIX/.mub-ready"
}

# One run of the game in an edition: the title, the selection dialog (found
# by its caption, in the edition's words), then the entry whose button sits at
# the given share of the dialog's height (the buttons are centred across it
# at about 23, 52 and 82 percent, whatever the font makes of its size), then
# Escape, which must end the program with status 0.
play_entry() {
  local lang=$1 caption=$2 name=$3 height_percent=$4 dialog status=0
  local shots=$shots_root/${lang%%_*}
  mkdir -p "$shots"
  (cd "$build" && LANG=$lang LC_ALL= LC_MESSAGES= LANGUAGE= exec timeout 120 "$WINELOADER" ./mubmub.exe) &
  game_pid=$!
  # The title's animation ends and the dialog opens after 53 ticks (about
  # 1.7 s); Wine needs a moment more to start.
  sleep 1.2
  import -window root "$shots/title.png"
  for _ in $(seq 50); do
    dialog=$(xdotool search --name "^$caption\$" 2>/dev/null | head -n1 || true)
    [ -n "$dialog" ] && break
    sleep 0.2
  done
  if [ -z "$dialog" ]; then
    echo "$lang $name: the selection dialog \"$caption\" did not open" >&2
    failures=$((failures + 1))
  else
    sleep 0.5
    import -window root "$shots/dialog.png"
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * height_percent / 100)) click 1
    sleep 2
    import -window root "$shots/$name.png"
  fi
  # Keys go to the window under the pointer (there is no window manager).
  xdotool mousemove 300 300
  xdotool key Escape
  wait "$game_pid" || status=$?
  game_pid=""
  echo "$lang $name: mubmub.exe exited with status $status"
  [ "$status" -eq 0 ] || failures=$((failures + 1))
}

# All the checks of one architecture; counts what failed in $failures.
check_arch() {
  local arch=$1 status=0
  build=$win_dir
  [ "$arch" = 64 ] && build=${win_dir}64
  shots_root=$build/shots
  export WINELOADER WINEPREFIX=$build/wineprefix WINEARCH=win$arch
  WINELOADER=$(wine_loader "$arch")
  failures=0
  if [ ! -f "$build/mubmub.exe" ] || [ ! -f "$build/mub_conformance.exe" ]; then
    echo "no $arch-bit build in $build: run scripts/windows-build.sh first" >&2
    failures=1
    return
  fi
  mkdir -p "$shots_root"
  prepare_prefix
  echo "== $arch-bit: Win32 conformance tests under $WINELOADER"
  (cd "$build" && timeout 900 "$WINELOADER" ./mub_conformance.exe) || status=$?
  if [ "$status" -ne 0 ]; then
    echo "$arch-bit: the conformance tests failed (status $status)" >&2
    failures=$((failures + 1))
  fi
  echo "== $arch-bit: the game under $WINELOADER"
  for edition in 'ja_JP.UTF-8:ゲームを選択して下さい' 'en_US.UTF-8:Choose your game'; do
    play_entry "${edition%%:*}" "${edition#*:}" story 23
    play_entry "${edition%%:*}" "${edition#*:}" shooting 52
    play_entry "${edition%%:*}" "${edition#*:}" whack 82
  done
  echo "$arch-bit: screenshots in $shots_root/ja and $shots_root/en"
  wineserver -w
}

arch_label() { if [ "$1" = 32 ]; then echo "32-bit (i686, PE32)"; else echo "64-bit (x86_64, PE32+)"; fi; }
results=()
ran=0
failed=0
for arch in 32 64; do
  if why=$(wine_unusable "$arch"); then
    results+=("$(arch_label "$arch"): skipped: $why")
    continue
  fi
  if [ -z "$xvfb_pid" ]; then
    start_xvfb 1024x768x24 || exit 1
  fi
  check_arch "$arch"
  ran=$((ran + 1))
  if [ "$failures" -eq 0 ]; then
    results+=("$(arch_label "$arch"): ran: passed")
  else
    results+=("$(arch_label "$arch"): ran: FAILED ($failures failing checks)")
    failed=$((failed + 1))
  fi
done

echo "== Windows programs under Wine"
printf '  %s\n' "${results[@]}"
if [ "$ran" -eq 0 ]; then
  echo "no Wine could run here: install 64-bit Wine (scripts/setup-windows.sh)" >&2
  exit 1
fi
[ "$failed" -eq 0 ]
