# Sourced by the scripts that run our .exe files under Wine.
#
# The project's Wine prefix lives in one place: $KDW_WINEPREFIX, by default
# ~/.cache/kelmor-deskwarden/wine-xp. It is a 32-bit prefix set to Windows XP,
# made on first use. Delete the folder to start from a new one.

export KDW_WINEPREFIX="${KDW_WINEPREFIX:-${HOME:-/root}/.cache/kelmor-deskwarden/wine-xp}"
export WINEPREFIX="$KDW_WINEPREFIX"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko download prompts: our programs need neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

kdw_started_xvfb=
kdw_started_wineserver=

# Makes the prefix if it is not there yet. Several test programs may start at
# once on a fresh machine, so the first one makes it under a lock.
kdw_ensure_prefix() {
  mkdir -p "$(dirname "$KDW_WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$KDW_WINEPREFIX/.kdw-ready" ]; then
      echo "wine-env: making the Windows XP prefix in $KDW_WINEPREFIX" >&2
      rm -rf "$KDW_WINEPREFIX"
      wineboot -i >/dev/null 2>&1
      winecfg -v winxp >/dev/null 2>&1
      # One virtual desktop in which Wine draws every window frame itself, as
      # Windows does: Xvfb has no window manager to draw them.
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
        >/dev/null 2>&1
      wineserver -w
      touch "$KDW_WINEPREFIX/.kdw-ready"
    fi
  ) 9>"$KDW_WINEPREFIX.lock"
}

# Starts Xvfb when there is no display, and a persistent wineserver, so that
# each program start costs little; marks the session in KDW_WINE_SESSION so
# that wine-run.sh inside it reuses both. kdw_stop_session stops only what
# this started.
kdw_start_session() {
  if [ -z "${DISPLAY:-}" ]; then
    local n i
    for n in $(seq 90 130); do
      { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      kdw_started_xvfb=$!
      for i in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
      done
      export DISPLAY=":$n"
      break
    done
  fi
  kdw_ensure_prefix
  if [ -z "${KDW_WINE_SESSION:-}" ]; then
    # A server still lingering from a command run without this display would
    # keep its desktop elsewhere: let it finish first (it does within seconds).
    timeout 10 wineserver -w >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1 || true
    kdw_started_wineserver=1
    # Start Wine's own background processes now, with no pipe of a caller
    # open: otherwise they hold a test runner's output pipe until they end.
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
    export KDW_WINE_SESSION=1
  fi
}

kdw_stop_session() {
  if [ -n "$kdw_started_wineserver" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    kdw_started_wineserver=
    unset KDW_WINE_SESSION
  fi
  if [ -n "$kdw_started_xvfb" ]; then
    kill "$kdw_started_xvfb" 2>/dev/null || true
    wait "$kdw_started_xvfb" 2>/dev/null || true
    kdw_started_xvfb=
  fi
}
