#!/usr/bin/env bash
# Runs a command with Wine ready for it: an X display (a private Xvfb only when
# DISPLAY is not usable), a private 32-bit Wine prefix under the build folder,
# and a persistent wineserver for the whole run. Whatever this script started
# is stopped again, by PID, when it exits.
#
#   scripts/with-wine.sh [--build DIR] COMMAND [ARGS...]
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build_dir="$here/../build"
if [ "${1:-}" = "--build" ]; then build_dir=$2; shift 2; fi
mkdir -p "$build_dir"
build_dir=$(cd "$build_dir" && pwd)

export WINEPREFIX="${WINEPREFIX:-$build_dir/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
server_pid=""
stop_started() {
  if [ -n "$server_pid" ]; then
    wineserver -k 2>/dev/null  # the session's own processes (services, explorer)
    kill "$server_pid" 2>/dev/null
    wait "$server_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
}
trap stop_started EXIT
trap 'exit 130' INT TERM

display_usable() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

if ! display_usable; then
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do display_usable && break; sleep 0.05; done
  display_usable || { echo "with-wine: Xvfb did not start" >&2; exit 1; }
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "with-wine: creating the Wine prefix $WINEPREFIX" >&2
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi

# The prefix's settings, written once (again when this list changes):
# - without a window manager on the display, Wine would wait up to two seconds
#   for one whenever a window is hidden or destroyed: let Wine manage nothing;
# - the Japanese system fonts the framework asks for are IPAGothic here.
prefix_settings() {
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]'
  for face in 'MS UI Gothic' 'MS Gothic' 'ＭＳ ゴシック' 'MS PGothic' 'ＭＳ Ｐゴシック'; do
    printf '"%s"="IPAGothic"\r\n' "$face"
  done
}
settings_file="$WINEPREFIX/.zul-settings.reg"
if ! prefix_settings | cmp -s - "$settings_file"; then
  { printf '\xff\xfe'; prefix_settings | iconv -f UTF-8 -t UTF-16LE; } >"$settings_file.utf16"
  wine regedit /S "Z:${settings_file//\//\\}.utf16" </dev/null >/dev/null 2>&1 &&
    prefix_settings >"$settings_file"
  wineserver -w
fi

# A persistent server keeps program start-up short while the command runs.
wineserver -f -p >/dev/null 2>&1 &
server_pid=$!
# Start the session's background processes now, detached from the command's
# output: otherwise the first program run would pass its pipes on to them and
# whoever reads its output would wait for them to end.
wine cmd /c exit </dev/null >/dev/null 2>&1

"$@"
rc=$?
exit $rc
