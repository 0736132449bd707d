#!/usr/bin/env bash
# Sets up, builds, and opens the editor on the bundled sample level set with
# the bundled graphics. On a machine with a display the editor opens there;
# without one it runs on a virtual display and a screenshot shows it.
# Options: --screenshot FILE  where the screenshot goes (build/editor.png)
#          --no-wait          take the screenshot and close the editor again
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shot=$root/build/editor.png
wait_for_editor=1
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) shot=$(realpath -m "$2"); shift 2 ;;
    --no-wait) wait_for_editor=0; shift ;;
    *) echo "usage: $0 [--screenshot FILE] [--no-wait]" >&2; exit 2 ;;
  esac
done

cd "$root"
mkdir -p "$(dirname "$shot")"
scripts/setup.sh run
scripts/build.sh program
scripts/make_program_dir.sh build/program
. scripts/wine_env.sh
ensure_wineprefix

virtual=1
if [ -n "${DISPLAY:-}" ] && timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1; then
  virtual=0
fi

cd build/program
if [ $virtual = 0 ]; then
  echo "Opening the editor on $DISPLAY ..."
  exec wine start /wait kraxed.exe sample.kxl
fi

trap 'stop_wineserver; stop_xvfb' EXIT
start_xvfb
echo "No display here: the editor runs on the virtual display $DISPLAY."
# Through start: the editor then gets its program path in quotes, and a
# file name after it needs none.
wine start /wait kraxed.exe sample.kxl >/dev/null 2>&1 &
editor=$!
window=
for _ in $(seq 1 60); do
  window=$(xdotool search --name 'Kraxolan Editor - ' 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.5
done
sleep 2
if [ -n "$window" ]; then import -window "$window" "$shot"; else import -window root "$shot"; fi
echo "Screenshot of the editor: $shot"
if [ $wait_for_editor = 1 ]; then
  echo "Watch it live with: x11vnc -display $DISPLAY (or take more screenshots: DISPLAY=$DISPLAY import -window root shot.png)."
  echo "Press Ctrl+C to close the editor."
  wait $editor || true
else
  kill $editor 2>/dev/null || true
fi
