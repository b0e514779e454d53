# Sourced by the scripts that run our .exe files under Wine.
#
# There is one Wine prefix per build, each set to Windows XP and made on first
# use, in $KDW_WINE_HOME (by default ~/.cache/kelmor-deskwarden):
#   win64  xp-win64: a 64-bit prefix, Windows XP x64, run by the 64-bit loader
#   win32  xp-win32: a 32-bit prefix, Windows XP, run by the 32-bit loader
# Call kdw_wine_arch first (win64 unless told), or kdw_wine_arch_of on an .exe.
# The loaders are called by their paths: Debian's `wine` wrapper picks the
# 32-bit one whenever it is installed, even on a machine that cannot run it.
# Delete a prefix's folder to start from a new one.

export KDW_WINE_HOME="${KDW_WINE_HOME:-${HOME:-/root}/.cache/kelmor-deskwarden}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko download prompts: our programs need neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

kdw_started_xvfb=
kdw_started_wineserver=

# Chooses the build whose programs run next: win64 or win32. Sets the loader,
# the server and the prefix.
kdw_wine_arch() {
  KDW_ARCH=${1:-win64}
  case "$KDW_ARCH" in
    win64)
      KDW_WINE=/usr/lib/wine/wine64
      KDW_WINE_VERSION=winxp64
      export WINEARCH=win64 ;;
    win32)
      KDW_WINE=/usr/lib/wine/wine
      KDW_WINE_VERSION=winxp
      export WINEARCH=win32 ;;
    *)
      echo "wine-env: unknown build '$KDW_ARCH' (win64 or win32)" >&2
      return 2 ;;
  esac
  KDW_WINESERVER=/usr/lib/wine/wineserver64
  [ -x "$KDW_WINESERVER" ] || KDW_WINESERVER=/usr/lib/wine/wineserver32
  export WINELOADER="$KDW_WINE" WINESERVER="$KDW_WINESERVER"
  export WINEPREFIX="$KDW_WINE_HOME/xp-$KDW_ARCH"
  export KDW_ARCH KDW_WINE KDW_WINESERVER
}

# The build an .exe belongs to, from the machine field of its PE header:
# 0x8664 is x86_64, 0x14c is i386.
kdw_exe_arch() {
  local pe machine
  pe=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$pe" ] || return 1
  machine=$(od -An -t x2 -j $((pe + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')
  case "$machine" in
    8664) echo win64 ;;
    014c) echo win32 ;;
    *) return 1 ;;
  esac
}

# Whether this machine runs the 32-bit Wine loader at all.
kdw_can_run_win32() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

kdw_wine() { "$KDW_WINE" "$@"; }
kdw_wineserver() { "$KDW_WINESERVER" "$@"; }

# Makes the prefix if it is not there yet. Several test programs may start at
# once on a fresh machine, so the first one makes it under a lock.
kdw_ensure_prefix() {
  mkdir -p "$KDW_WINE_HOME"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.kdw-ready" ]; then
      echo "wine-env: making the Windows XP prefix ($KDW_ARCH) in $WINEPREFIX" >&2
      rm -rf "$WINEPREFIX"
      kdw_wine wineboot -i >/dev/null 2>&1
      kdw_wine winecfg -v "$KDW_WINE_VERSION" >/dev/null 2>&1
      # One virtual desktop in which Wine draws every window frame itself, as
      # Windows does: Xvfb has no window manager to draw them.
      kdw_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      kdw_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
        >/dev/null 2>&1
      kdw_wineserver -w
      if ! kdw_wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' \
             /v ProductName 2>/dev/null | grep -q 'Windows XP'; then
        echo "wine-env: the prefix in $WINEPREFIX did not become Windows XP" >&2
        exit 1
      fi
      kdw_wineserver -w
      touch "$WINEPREFIX/.kdw-ready"
    fi
    kdw_ensure_marlett
  ) 9>"$WINEPREFIX.lock"
}

# Wine draws the caption buttons with Marlett and looks for it among the
# prefix's fonts only: without it they show as the letters "0", "1" and "r".
# Debian's fonts-wine has it. Prefixes made before this get it too.
kdw_marlett=/usr/share/wine/fonts/marlett.ttf
kdw_ensure_marlett() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$kdw_marlett" ] && [ ! -f "$fonts/marlett.ttf" ] || return 0
  mkdir -p "$fonts"
  cp "$kdw_marlett" "$fonts/marlett.ttf"
  kdw_wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
    /v 'Marlett (TrueType)' /d marlett.ttf /f >/dev/null 2>&1
  kdw_wineserver -w
}

# Starts Xvfb when there is no display, and a persistent wineserver for the
# chosen prefix, so that each program start costs little; marks the session
# in KDW_WINE_SESSION (the prefix) so that wine-run.sh inside it reuses both.
# kdw_stop_session stops only what this started.
kdw_start_session() {
  [ -n "${KDW_ARCH:-}" ] || kdw_wine_arch win64
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
  kdw_ensure_prefix || return 1
  if [ "${KDW_WINE_SESSION:-}" != "$WINEPREFIX" ]; then
    # A server still lingering from a command run without this display would
    # keep its desktop elsewhere: let it finish first (it does within seconds).
    timeout 10 "$KDW_WINESERVER" -w >/dev/null 2>&1 || true
    kdw_wineserver -p >/dev/null 2>&1 || true
    kdw_started_wineserver=1
    # Start Wine's own background processes now, with no pipe of a caller
    # open: otherwise they hold a test runner's output pipe until they end.
    kdw_wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
    export KDW_WINE_SESSION="$WINEPREFIX"
  fi
}

kdw_stop_session() {
  if [ -n "$kdw_started_wineserver" ]; then
    kdw_wineserver -k >/dev/null 2>&1 || true
    kdw_wineserver -w >/dev/null 2>&1 || true
    kdw_started_wineserver=
    unset KDW_WINE_SESSION
  fi
  if [ -n "$kdw_started_xvfb" ]; then
    kill "$kdw_started_xvfb" 2>/dev/null || true
    wait "$kdw_started_xvfb" 2>/dev/null || true
    kdw_started_xvfb=
    unset DISPLAY
  fi
}
