#!/usr/bin/env bash
# Installs what is missing, builds the lenticular test bench and starts it
# under Wine (on a private Xvfb display only when no display is usable).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build"
cd "$here/samples" 2>/dev/null || cd "$here"
"$here/scripts/with-wine.sh" --build "$here/build" wine "$here/build/lenti.exe"
