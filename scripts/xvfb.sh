# Sourced by the scripts that need a virtual X display: start_xvfb WxHxD
# starts Xvfb on a display it chooses itself (-displayfd), so runs at the same
# time never meet, waits at most 20 s for it, and sets DISPLAY and xvfb_pid.
# The caller kills $xvfb_pid when done.
start_xvfb() {
  local screen=$1 file no
  file=$(mktemp)
  # -noreset: a server that starts over when its last client leaves has no
  # display for a moment, and a program connecting then fails.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 200); do grep -q . "$file" && break; sleep 0.1; done
  no=$(head -n1 "$file")
  rm -f "$file"
  if [ -z "$no" ]; then
    echo "Xvfb did not report a display within 20 s" >&2
    return 1
  fi
  export DISPLAY=:$no
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "the virtual display $DISPLAY did not answer within 10 s" >&2
  return 1
}
