#!/usr/bin/env bash
# Checks the Windows build (scripts/windows-build.sh) under Wine on a virtual
# X display: the Win32 conformance tests, then the game itself (it starts,
# shows its title and its selection dialog, and Escape ends it with status 0).
# Screenshots of the title, the dialog and the first story page are left in
# $MUB_SHOTS (default build-win/shots) for a person to look at.
#
#   scripts/wine-check.sh
# Needs: wine, wine32:i386, xvfb, xdotool, imagemagick, a Japanese font
# (fonts-droid-fallback or fonts-unifont).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MUB_WIN_DIR:-$root/build-win}
shots=${MUB_SHOTS:-$build/shots}
display=${MUB_WINE_DISPLAY:-:98}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=$display
mkdir -p "$shots"

xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A prefix of our own: Wine draws the window frames itself (there is no window
# manager on the virtual display), and the Japanese font names the program and
# the system dialogs ask for map to a Japanese font that is installed.
if [ ! -f "$WINEPREFIX/.mub-ready" ]; then
  wineboot -i >/dev/null 2>&1
  font=$(fc-list :lang=ja family | grep -m1 -o 'Droid Sans Fallback' || fc-list :lang=ja family | head -n1 | cut -d, -f1)
  reg=$(mktemp --suffix=.reg)
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="N"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in 'ＭＳ Ｐゴシック' 'ＭＳ ゴシック' 'MS PGothic' 'MS Gothic' 'MS UI Gothic'; do
      printf '"%s"="%s"\r\n' "$face" "$font"
    done
  } | iconv -f UTF-8 -t UTF-16 >"$reg"
  wine regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
  rm -f "$reg"
  touch "$WINEPREFIX/.mub-ready"
fi

echo "== Win32 conformance tests under Wine"
(cd "$build" && wine ./mub_conformance.exe)

echo "== The game under Wine"
(cd "$build" && exec wine ./mubmub.exe) &
game_pid=$!
# The title's animation ends and the selection dialog opens after 53 ticks
# (about 1.7 s); Wine needs a moment more to start.
sleep 1.2
import -window root "$shots/title.png"
sleep 4
import -window root "$shots/dialog.png"
# The dialog's first button (the story) has the focus: Enter starts the story.
xdotool key Return
sleep 2
import -window root "$shots/story.png"
xdotool key Escape
status=0
wait "$game_pid" || status=$?
game_pid=""
echo "mubmub.exe exited with status $status"
echo "screenshots in $shots"
[ "$status" -eq 0 ]
