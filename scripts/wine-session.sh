#!/usr/bin/env bash
# Source this file: wine_session_start starts a private Wine world for tests
# (its own prefix, Xvfb display, persistent wineserver and a desktop with a
# taskbar); wine_session_stop ends exactly what was started.
#   WINE_SESSION_DIR  where the prefix lives (default: build/windows/wine)
#   WINE_SESSION_VISIBLE=1  use the current $DISPLAY instead of a new Xvfb
#   WINE_SESSION_WINVER     the Windows version the prefix reports (winecfg -v),
#                           e.g. winxp64; default: Wine's own (a current Windows)
#   WINE_SESSION_TEMPLATE   a booted prefix to copy instead of booting a new one
#                           (the emulated 32-bit PC keeps one: booting takes minutes there)
#   WINE_SESSION_LOCALE     the Unix locale of every Wine process, and so the
#                           Windows language and ANSI code page (default C.UTF-8:
#                           English, code page 1252); e.g. de_DE.UTF-8, ja_JP.UTF-8
#   WINE_SESSION_DPI        the display scale in dots per inch (120, 144, 192; default
#                           the prefix's, 96): Wine reads it as each process starts
#   WINEARCH                win64 unless set (win32 in the emulated 32-bit PC)
# wine_session_start fails when the desktop or its registry settings could not be made.

wine_session_start() {
  local dir=${WINE_SESSION_DIR:-$PWD/build/windows/wine}
  mkdir -p "$dir"
  export WINEPREFIX=$dir/prefix
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LC_ALL=${WINE_SESSION_LOCALE:-C.UTF-8}
  export WINEARCH=${WINEARCH:-win64}
  WINE_SESSION_PIDS=()

  if [ "${WINE_SESSION_VISIBLE:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
    # Xvfb takes the first free display itself, so worlds started at once never share one.
    rm -f "$dir/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 3>"$dir/display" &
    WINE_SESSION_PIDS+=($!)
    # Seconds on the emulated 32-bit PC while other worlds wind down.
    for _ in $(seq 600); do [ -s "$dir/display" ] && break; sleep 0.1; done
    [ -s "$dir/display" ] || { echo "wine-session: Xvfb gave no display in 60 s" >&2; return 1; }
    DISPLAY=:$(head -1 "$dir/display")
    export DISPLAY
  fi

  if [ ! -f "$WINEPREFIX/system.reg" ] && [ -n "${WINE_SESSION_TEMPLATE:-}" ]; then
    cp -a "$WINE_SESSION_TEMPLATE" "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 180 wineboot -i </dev/null >/dev/null 2>&1 || true
    if [ -n "${WINE_SESSION_WINVER:-}" ]; then
      timeout 60 wine winecfg -v "$WINE_SESSION_WINVER" </dev/null >/dev/null 2>&1 || true
    fi
    timeout 60 wineserver -w || true
  fi
  if [ -n "${WINE_SESSION_DPI:-}" ]; then
    timeout 120 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$WINE_SESSION_DPI" /f \
      </dev/null >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
  fi
  wineserver -p </dev/null >/dev/null 2>&1 &
  sleep 0.3
  # One desktop named "shell": Wine's explorer draws a taskbar with a notification
  # area for it. Every program started later joins it through the registry value;
  # without that value a program goes to another desktop, with no taskbar.
  local written=0
  wine_session_value 'HKCU\Software\Wine\Explorer' Desktop shell || written=1
  wine_session_value 'HKCU\Software\Wine\Explorer\Desktops' shell 1024x768 || written=1
  # The desktop's explorer, waited for: a program that starts before it finds no
  # notification area. On the emulated 32-bit PC it takes over a minute, and now
  # and then, in a new prefix right after another world's, over three.
  wine explorer /desktop=shell,1024x768 </dev/null >/dev/null 2>&1 &
  WINE_SESSION_PIDS+=($!)
  local patience=180
  [ "${TOLLVANE_WORLD:-}" = i386 ] && patience=420
  local deadline=$((SECONDS + patience))
  while [ $SECONDS -lt $deadline ]; do
    xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop' && { sleep 1; return $written; }
    sleep 0.1
  done
  echo "wine-session: no Wine desktop after $patience s" >&2
  return 1
}

# wine_session_value <key> <name> <text>: writes a registry value and reads it back.
# The first program in a new prefix starts Wine's services first, which on the
# emulated 32-bit PC can outlast a timeout and leave nothing written.
wine_session_value() {
  for _ in 1 2 3; do
    timeout 120 wine reg add "$1" /v "$2" /d "$3" /f </dev/null >/dev/null 2>&1
    timeout 60 wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | grep -q "REG_SZ *$3\$" && return 0
  done
  echo "wine-session: could not write $1\\$2" >&2
  return 1
}

wine_session_stop() {
  timeout 20 wineserver -k >/dev/null 2>&1 || true
  local pid
  for pid in "${WINE_SESSION_PIDS[@]:-}"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  for pid in "${WINE_SESSION_PIDS[@]:-}"; do
    [ -n "$pid" ] && wait "$pid" 2>/dev/null || true
  done
  WINE_SESSION_PIDS=()
}
