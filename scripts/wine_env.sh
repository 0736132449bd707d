# Sourced by the scripts that run Windows programs: a private Wine prefix
# inside the build tree, quiet Wine, and a helper that runs a command with a
# time limit and kills what it started (by process group, never by name).
KRAXED_ROOT=${KRAXED_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$KRAXED_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64

# with_timeout SECONDS command...: runs the command under timeout(1), which
# signals its process group (the command and its children) when time is up.
# Wine's own server leaves that group; stop_wineserver ends it by prefix.
with_timeout() {
  local limit=$1; shift
  timeout --kill-after=10 -s TERM "$limit" "$@"
}

# Creates the Wine prefix once (the first start takes a while).
ensure_wineprefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    with_timeout 300 wine wineboot --init >/dev/null 2>&1 || true
    with_timeout 120 wineserver -w >/dev/null 2>&1 || true
  fi
  # Wine's own "MS Sans Serif", the font the dialogs are laid out in. A prefix
  # that cannot find it draws them in a wider stand-in, which cuts labels.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" dir
  if [ ! -f "$fonts/sserife.fon" ]; then
    for dir in /usr/share/wine/fonts /usr/lib/wine/fonts /usr/local/share/wine/fonts; do
      if [ -f "$dir/sserife.fon" ]; then
        mkdir -p "$fonts" && cp "$dir/sserife.fon" "$fonts/"
        break
      fi
    done
  fi
  # No window manager runs on the virtual display: Wine would wait two
  # seconds for one at every dialog or message box that closes. Windows it
  # manages itself close at once.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    with_timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
      >/dev/null 2>&1 || true
    with_timeout 60 wineserver -w >/dev/null 2>&1 || true
  fi
}

# Stops this prefix's wineserver (and so every Wine process in it).
stop_wineserver() {
  with_timeout 30 wineserver -k >/dev/null 2>&1 || true
}

# start_xvfb: starts a private virtual display (the server picks a free
# display number) and exports DISPLAY; XVFB_PID holds its process id.
start_xvfb() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local tries=0
  while [ ! -s "$fdfile" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
  if [ ! -s "$fdfile" ]; then
    echo "Xvfb did not start" >&2
    kill "$XVFB_PID" 2>/dev/null || true
    rm -f "$fdfile"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# stop_xvfb: ends the display started by start_xvfb, by its process id.
stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
