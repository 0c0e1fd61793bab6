#!/usr/bin/env bash
# Runs one Windows program under Wine (the cross-compiling emulator of the
# build). Expects the environment of scripts/with-wine.sh; falls back to the
# build folder's private prefix when run alone.
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/../build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
