#!/usr/bin/env bash
# The demo as a user sees it: starts the application in a virtual display with a
# window manager, finds its window by title, checks its size, takes a screenshot and
# closes it as the title bar's close button would. The program must then end with
# exit code 0 within 5 s.
# Usage: window_test.sh <application> <screenshot.png>
set -euo pipefail

app=$1
shot=$2
title='KEYRA 3.1.6'

if [ -z "${KEYRA_IN_XVFB:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env KEYRA_IN_XVFB=1 "$0" "$@"
fi

fail() { echo "FAIL: $*" >&2; exit 1; }

openbox >/dev/null 2>&1 &
wm=$!
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  kill "$wm" 2>/dev/null || true
}
trap cleanup EXIT

for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"

"$app" >/dev/null 2>&1 &
app_pid=$!

window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name "^${title//./\\.}\$" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$app_pid" 2>/dev/null || fail "the application ended before showing its window"
  sleep 0.1
done
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

sleep 1   # let it paint
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
