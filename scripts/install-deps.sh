#!/usr/bin/env bash
# Installs, from Debian packages, everything needed to build ZULLIB with the
# MinGW-w64 cross compiler and to run it and its tests under Wine on Xvfb.
# A Japanese font lets Wine show the framework's Japanese texts.
# Safe to run again: it installs only what is missing.
set -euo pipefail

need_pkgs=(cmake make g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
           wine wine32:i386 xvfb xauth googletest xdotool x11-utils imagemagick
           fonts-ipafont-gothic zip clang-format)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi

missing=()
for p in "${need_pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "Dependencies present."
