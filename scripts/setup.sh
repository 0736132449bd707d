#!/usr/bin/env bash
# Installs what building and testing kraxed needs on a Debian machine, only
# what is missing. Runs apt-get as root (through sudo when not root).
set -euo pipefail

# Usage: scripts/setup.sh [run|test]  (default test: everything)
# run: what building the editor and its graphics and opening it need
# (googletest too: configuring the build reads it; xdotool and ImageMagick
# find and picture the editor on a virtual display);
# test: that, the manuals' tools, the fuzzing compiler and Python with PIL
# (the end-to-end tests and the screenshots speak to their driver in Python).
packages=(cmake make g++ googletest libstb-dev nlohmann-json3-dev g++-mingw-w64-x86-64 wine wine64 xvfb
          fonts-wine xdotool imagemagick)
if [ "${1:-test}" != run ]; then
  packages+=(pandoc weasyprint poppler-utils clang libclang-rt-14-dev python3 python3-pil)
fi
if [ "${KRAXED_SETUP_EXTRA:-}" != "" ]; then
  read -r -a extra <<<"$KRAXED_SETUP_EXTRA"
  packages+=("${extra[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
as_root=()
if [ "$(id -u)" != 0 ]; then
  if command -v sudo >/dev/null; then as_root=(sudo); else
    echo "setup: need root to install ${missing[*]}" >&2; exit 1; fi
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
