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
# manager on the virtual display), and the Japanese font names the program
# asks for map to an installed Japanese font, which also backs the system
# font in captions and message boxes (as font linking does on Windows).
utf16_hex() { printf '%s\0\0' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//'; }
if [ ! -f "$WINEPREFIX/.mub-ready" ]; then
  wineboot -i >/dev/null 2>&1
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
  wine regedit /S "$reg" >/dev/null 2>&1
  wineserver -w
  rm -f "$reg"
  echo "Japanese font for Wine: $font ($font_base)"
  touch "$WINEPREFIX/.mub-ready"
fi

echo "== Win32 conformance tests under Wine"
(cd "$build" && wine ./mub_conformance.exe)

# One run of the game: the title, the selection dialog, then the entry whose
# button sits at the given share of the dialog's height (the buttons are
# centred across it at about 23, 52 and 82 percent, whatever the font makes
# of its size), then Escape, which must end the program with status 0.
failures=0
play_entry() {
  local name=$1 height_percent=$2 dialog status=0
  (cd "$build" && exec timeout 120 wine ./mubmub.exe) &
  game_pid=$!
  # The title's animation ends and the dialog opens after 53 ticks (about
  # 1.7 s); Wine needs a moment more to start.
  sleep 1.2
  import -window root "$shots/title.png"
  for _ in $(seq 50); do
    dialog=$(xdotool search --name 'ゲームを選択して下さい' 2>/dev/null | head -n1 || true)
    [ -n "$dialog" ] && break
    sleep 0.2
  done
  if [ -z "$dialog" ]; then
    echo "$name: the selection dialog did not open" >&2
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
  echo "$name: mubmub.exe exited with status $status"
  [ "$status" -eq 0 ] || failures=$((failures + 1))
}

echo "== The game under Wine"
play_entry story 23
play_entry shooting 52
play_entry whack 82
echo "screenshots in $shots"
[ "$failures" -eq 0 ]
