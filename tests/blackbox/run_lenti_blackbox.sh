#!/usr/bin/env bash
# The shipped program as a user runs it: start lenti.exe, paste a stereo pair
# from the clipboard with Ctrl+V on the main window, Start with S, press
# "pitch+" and "cap" with the button box's digit keys, leave with Esc; then
# look at lenti_test.png. Real X input through xdotool; run inside
# scripts/with-wine.sh (DISPLAY and the Wine prefix are set there).
#   run_lenti_blackbox.sh LENTI_EXE CLIPBOARD_HELPER_EXE
set -uo pipefail
lenti=$1 helper=$2 work=$(mktemp -d) pid=""
cd "$work" || exit 1
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Polls `test ARGS...` every 0.1 s, at most COUNT times.
poll() { local count=$1; shift; for _ in $(seq "$count"); do "$@" && return 0; sleep 0.1; done; return 1; }
found() { id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1); [ -n "$id" ]; }
wait_for_window() { poll 200 found "$1" && echo "$id"; }  # name -> X window id

press() {  # window, keys...: a click on the caption activates it, then real key strokes
  xdotool mousemove --window "$1" 40 6 click 1
  sleep 0.4
  xdotool key "${@:2}"
  sleep 0.5
}

drag_aside() {  # window, dx, dy: drag it by its caption, as a user would
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local x=$((X + 300)) y=$((Y + 6))
  xdotool mousemove "$x" "$y" mousedown 1
  sleep 0.2
  xdotool mousemove $((x + $2 / 2)) $((y + $3 / 2))
  sleep 0.2
  xdotool mousemove $((x + $2)) $((y + $3)) mouseup 1
  sleep 0.5
}

wine "$helper" </dev/null >/dev/null 2>&1 || fail "the clipboard helper failed"
wine "$lenti" </dev/null >/dev/null 2>&1 &
pid=$!
main=$(wait_for_window "ZULLIB 7.0") || fail "no main window"
box=$(wait_for_window "ButtonBox") || fail "no button box"
sleep 1.5  # the drop animation

press "$main" ctrl+v
input=$(wait_for_window "000.*") || fail "Ctrl+V opened no image window 000"
drag_aside "$input" 0 530   # it opened over the panel
press "$main" s
output=$(wait_for_window "Hello,there!.*") || fail "Start opened no output window"
drag_aside "$output" 420 330  # the output opens over the panel too
press "$box" 1   # pitch+
press "$box" 7   # cap
poll 50 test -s lenti_test.png || fail "cap wrote no lenti_test.png"
press "$main" Escape
poll 50 eval '! kill -0 "$pid" 2>/dev/null' || fail "Esc did not end the program"
pid=""

size=$(identify -format '%w x %h %[channels]' lenti_test.png 2>/dev/null)
case "$size" in
  "800 x 480 srgb"*|"800 x 480 rgb"*) ;;
  *) fail "lenti_test.png is '$size', not an 800 x 480 RGB picture" ;;
esac
colours=$(identify -format '%k' lenti_test.png)
[ "${colours:-0}" -gt 4 ] || fail "lenti_test.png has only $colours colours"
echo "1 passed, 0 failed"
