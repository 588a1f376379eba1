#!/usr/bin/env bash
# The demo as a user sees it: starts the application in a virtual display with a
# window manager, finds its window by title, checks its size and place, loads a file
# through the Load button's dialog, takes a screenshot of the result and closes the
# window as the title bar's close button would. The program must then end with exit
# code 0 within 5 s.
# Usage: window_test.sh <application> <screenshot.png>
set -euo pipefail

app=$1
shot=$2
title='KEYRA 3.1.6'

if [ -z "${KEYRA_IN_XVFB:-}" ]; then
  # On a heavily loaded machine the X tools sometimes race a window that is still being
  # mapped (BadWindow); one more attempt in a fresh display tells that from a real fault.
  for attempt in 1 2; do
    xvfb-run -a -s "-screen 0 1024x768x24" env KEYRA_IN_XVFB=1 "$0" "$@" && exit 0
    echo "attempt $attempt failed" >&2
  done
  exit 1
fi

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
openbox >/dev/null 2>&1 &
wm=$!
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  kill "$wm" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Three seconds of an A major chord.
python3 - "$work/chord.wav" <<'PY'
import math, struct, sys, wave
rate, frequencies = 44100, (220.0, 277.18, 329.63)
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(rate)
    out.writeframes(b"".join(
        struct.pack("<h", int(8000 * sum(math.sin(2 * math.pi * f * i / rate) for f in frequencies)))
        for i in range(3 * rate)))
PY

find_window() {  # name regex; prints the first visible match
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true
}
wait_for_window() {  # name regex
  local id=""
  for _ in $(seq 150); do
    id=$(find_window "$1")
    [ -n "$id" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "the application ended unexpectedly"
    sleep 0.1
  done
  echo "$id"
}
wait_for_no_window() {  # name regex
  for _ in $(seq 300); do
    [ -z "$(find_window "$1")" ] && return 0
    sleep 0.1
  done
  fail "window '$1' did not go away"
}

for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"

"$app" >/dev/null 2>&1 &
app_pid=$!

window=$(wait_for_window "^${title//./\\.}\$")
[ -n "$window" ] || fail "no window titled '$title'"

size() { xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
# The window opens smaller and grows at once to its minimum size.
for _ in $(seq 50); do [ "$(size)" = "530x220" ] && break; sleep 0.1; done
[ "$(size)" = "530x220" ] || fail "window is $(size), not 530x220"
echo "window $window '$title' is 530x220"

# Placed where a centred 520 x 200 window would be, on the 1024 x 768 screen.
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q "location: 252, 284" <<<"$hints" || fail "window not placed at 252, 284: $hints"
# The window manager offers no resizing or maximising of a fixed-size window.
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -q "_NET_WM_ACTION_CLOSE" <<<"$actions" || fail "no close action: $actions"
if grep -qE "_NET_WM_ACTION_RESIZE|_NET_WM_ACTION_MAXIMIZE" <<<"$actions"; then
  fail "the window can be resized: $actions"
fi

sleep 0.5   # let it paint
import -window "$window" "$work/before.png"

# Load: the button at the left of the controls row opens the file dialog; its file
# name box sits near the dialog's bottom.
xdotool mousemove --window "$window" 40 102 click 1
dialog=$(wait_for_window "^Please select an audio file\.\.\.\$")
[ -n "$dialog" ] || fail "Load opened no file dialog"
sleep 0.5
# Each step finds the dialog again: under load its window can be replaced, or closed
# by the first Return, between the look and the event (BadWindow). The waits below
# tell that from a real fault.
dialog_title="^Please select an audio file\.\.\.\$"
to_dialog() {  # xdotool command and its arguments, sent to the dialog if it is open
  local id
  for _ in 1 2 3; do
    id=$(find_window "$dialog_title")
    [ -n "$id" ] || return 0
    xdotool "$1" --window "$id" "${@:2}" 2>/dev/null && return 0
    sleep 0.3
  done
  return 1
}
to_dialog mousemove 500 437 click 1
to_dialog type "$work/chord.wav"
to_dialog key Return   # selects the file, or already opens it
sleep 0.5
to_dialog key Return   # opens it, where the first only selected it
wait_for_no_window "^Please select an audio file\.\.\.\$"
wait_for_no_window "^Analyse\$"
echo "loaded and analysed $work/chord.wav"

sleep 0.5
import -window "$window" "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 500 ] 2>/dev/null || fail "the window did not change after the analysis ($changed pixels)"
import -window root "$shot"
echo "screenshot: $shot"

wmctrl -i -c "$window"
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the application was still running 5 s after its window was closed"

status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the application ended with exit code $status"
echo "closed; exit code 0"
