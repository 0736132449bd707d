#!/usr/bin/env bash
# Start-up benchmark (not a test): kraxed.exe with a full catalogue (32
# pattern sets, 95 enemy sets: resources.ini names our GE5 files many times)
# against a bare Win32 window, under the same Wine on a private display, in
# one run; prints each run and the medians with their ratio, once as the
# tests run Wine (no window manager) and once under a real window manager
# (openbox, installed when missing).
# Usage: scripts/bench_startup.sh [RUNS]   (default 7; needs scripts/build.sh all)
set -euo pipefail
cd "$(dirname "$0")/.."
KRAXED_SETUP_EXTRA=openbox scripts/setup.sh run
. scripts/wine_env.sh
runs=${1:-7}
if [ ! -f build/win/kraxed.exe ] || [ ! -d build/native ]; then
  echo "bench_startup: run scripts/build.sh all first" >&2
  exit 1
fi

out=build/bench-win
mkdir -p "$out"
# The two small programs of the benchmark are built here only.
flags=(-std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror
       -static -static-libgcc -static-libstdc++)
x86_64-w64-mingw32-g++ "${flags[@]}" -mwindows bench/bare_window_win32.cpp \
  -o "$out/bare_window.exe"
x86_64-w64-mingw32-g++ "${flags[@]}" bench/startup_bench_win32.cpp \
  -o "$out/startup_bench.exe"

scripts/make_program_dir.sh "$out/program" >/dev/null
rm -f "$out/program/kraxed.ini"
{
  printf '[Enemy Resources]\r\n'
  enemies=(slime robot ghost bat)
  for i in $(seq 0 94); do
    e=${enemies[$((i % 4))]}
    printf '%s.ge5,%s %d\r\n' "$e" "$e" "$((i + 1))"
  done
  printf '\r\n[Level Resources]\r\n'
  patterns=(garden dungeon)
  for i in $(seq 0 31); do
    p=${patterns[$((i % 2))]}
    printf '%s.ge5,%s %d\r\n' "$p" "$p" "$((i + 1))"
  done
  # Songs and AI types as shipped.
  sed -n '/^\[Song Names\]/,$p' data/resources.ini | tr -d '\r' | sed 's/$/\r/'
} >"$out/program/resources.ini"

trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb
ensure_wineprefix
folder=$(winepath -w "$out/program" 2>/dev/null)
bare=$(winepath -w "$out/bare_window.exe" 2>/dev/null)
# The prefix's windows are Wine's own (Managed = N), as the tests run them:
# without a window manager on the display a managed window would wait two
# seconds for one whenever it is hidden (the splash screen).
echo "== as the tests run Wine: no window manager, Managed = N"
with_timeout 1800 wine "$out/startup_bench.exe" "$folder\\" "$bare" "$runs"

# A real window manager: Wine's windows managed by openbox, as on a desktop.
x11key='HKCU\Software\Wine\X11 Driver'
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true; wine reg add "$x11key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true; stop_wineserver; stop_xvfb' EXIT
wine reg delete "$x11key" /v Managed /f >/dev/null 2>&1 || true
with_timeout 30 wineserver -w >/dev/null 2>&1 || true
sleep 1
echo "== under a window manager (openbox), Wine's windows managed"
with_timeout 1800 wine "$out/startup_bench.exe" "$folder\\" "$bare" "$runs"
