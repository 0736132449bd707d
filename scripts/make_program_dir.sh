#!/usr/bin/env bash
# Lays out a program directory for the editor: resources.ini, levelgfx/*.ge5,
# enemygfx/*.ge5 and sample.kxl, all built from data/ by artbuild, plus
# kraxed.exe and the two manuals (scripts/make_docs.sh) when the Windows
# build has made the editor and kxdrive.exe (the screenshots' driver) and
# pandoc is there (scripts/setup.sh test installs it).
# Usage: scripts/make_program_dir.sh DIR
# Needs the native build tree (scripts/build.sh native); builds artbuild in it.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
dir=$(realpath -m "$1")
cd "$(dirname "$0")/.."
if [ ! -d build/native ]; then
  echo "make_program_dir: no build/native; run scripts/build.sh native first" >&2
  exit 1
fi
# Configure again so a new tool source is picked up, then build only the tool.
cmake -S . -B build/native >/dev/null
cmake --build build/native --target artbuild -j "${KRAXED_JOBS:-1}" >/dev/null
build/native/artbuild --data data "$dir"

# The editor itself: copied beside its data once the Windows build exists.
if [ -f build/win/kraxed.exe ]; then
  cp build/win/kraxed.exe "$dir/"
  echo "make_program_dir: kraxed.exe copied"
  if [ -f build/win/kxdrive.exe ] && command -v pandoc >/dev/null; then
    scripts/make_docs.sh "$dir"
  else
    echo "make_program_dir: the manuals are not built (they need build/win/kxdrive.exe and pandoc)"
  fi
else
  echo "make_program_dir: no build/win/kraxed.exe yet; run scripts/build.sh win and this again"
fi
