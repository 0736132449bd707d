#!/usr/bin/env bash
# Installing: the native build installs kxl, the launcher, its desktop entry
# and the program folder to a prefix; the launcher opens a level set given by
# a relative Linux path in the editor under Wine (on a private display, in a
# private prefix); the Windows build's install holds the whole program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX=${KRAXED_E2E_PREFIX:-$PWD/build/wineprefix-e2e}
. scripts/wine_env.sh
scripts/make_program_dir.sh build/program >/dev/null
work=$(mktemp -d)
editor=
cleanup() {
  [ -n "$editor" ] && kill "$editor" 2>/dev/null || true
  stop_wineserver
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "test_install: $*" >&2; exit 1; }

cmake -S . -B build/native -DKRAXED_PROGRAM_DATA="$PWD/build/program" >/dev/null
cmake --install build/native --prefix "$work/usr" >/dev/null
for f in bin/kxl bin/kraxed share/applications/kraxed.desktop share/mime/packages/kraxed.xml \
         share/icons/hicolor/32x32/apps/kraxed.png share/kraxed/kraxed.exe share/kraxed/resources.ini \
         share/kraxed/sample.kxl share/kraxed/README.txt share/kraxed/kraxed_manual.pdf; do
  [ -e "$work/usr/$f" ] || fail "the native install has no $f"
done
grep -q '^Exec=kraxed %f$' "$work/usr/share/applications/kraxed.desktop" || fail "desktop entry without Exec"
"$work/usr/bin/kxl" check "$work/usr/share/kraxed/sample.kxl" >/dev/null || fail "installed kxl check failed"

cmake --install build/win --prefix "$work/win" >/dev/null
for f in kraxed.exe resources.ini levelgfx enemygfx sample.kxl README.txt kraxed_tutorial.pdf; do
  [ -e "$work/win/$f" ] || fail "the Windows install has no $f"
done

start_xvfb
ensure_wineprefix
mkdir -p "$work/my levels"
cp build/program/sample.kxl "$work/my levels/first try.kxl"
(cd "$work/my levels" && timeout 120 "$work/usr/bin/kraxed" "first try.kxl") >build/test_install.log 2>&1 &
editor=$!
title=
for _ in $(seq 1 120); do
  title=$(xdotool search --name 'Kraxolan Editor - ' getwindowname 2>/dev/null | head -n1 || true)
  [ -n "$title" ] && break
  sleep 0.25
done
case "$title" in
  *"my levels\\first try.kxl]") echo "test_install: the launcher opened $title" ;;
  *) import -window root build/test_install.png 2>/dev/null || true; fail "the launcher's editor shows '$title' (screen: build/test_install.png)" ;;
esac
