# shellcheck shell=bash
# Sourced by the package tests. Each test runs in a Wine world of its own: a
# fresh prefix, its own Xvfb display and wineserver, so that nothing left by
# other tests (or by an earlier run) can make an install look right.
# Every Wine command is bounded by a timeout.

set -uo pipefail
export LC_ALL=C.UTF-8
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../scripts/wine-session.sh
source "$repo/scripts/wine-session.sh"

failures=0

# The folders of one run: test.sh runs the suite in two Wine prefixes at once,
# each naming itself in TOLLVANE_RUN_NAME.
run_folder() { printf '%s/%s\n' "$1" "${TOLLVANE_RUN_NAME:-run}"; }
packages_folder() { printf '%s/packages\n' "$(run_folder "$1")"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
equals() { [ "$1" = "$2" ] || { echo "   got '$1', expected '$2'"; return 1; }; }
exists() { [ -e "$1" ]; }
only_files() { local got; got=$(cd "$1" && ls -A | LC_ALL=C sort | tr '\n' ' '); equals "$got" "$2"; }
# points_at <shortcut file> <Windows path>: the target is stored as text inside the .lnk file.
points_at() { [ -f "$1" ] && LC_ALL=C grep -aqiF "$2" "$1"; }
# A Tollvane main window with its icon in the notification area; or none at all
# (tray_probe.exe, named by the test in $tray_probe).
# shellcheck disable=SC2154  # the test that sources this file sets it
tray_icon_shown() { w 30 "$tray_probe" TollvaneMainForm; }
no_tollvane_window() { w 30 "$tray_probe" TollvaneMainForm; [ $? -eq 2 ]; }
# expect <description> <command...>: the command must succeed.
expect() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
# expect_not <description> <command...>: the command must fail.
expect_not() { local what=$1; shift; if "$@"; then fail "$what"; else pass "$what"; fi; }

# w <seconds> <wine arguments...>
w() { local t=$1; shift; timeout "$t" wine "$@" </dev/null 2>/dev/null; }

# fresh_wine <folder>: a new prefix under <folder>, torn down when the test exits
# (the prefix is kept only when the test failed, for a look inside).
fresh_wine() {
  session_dir=$1
  rm -rf "$session_dir"
  mkdir -p "$session_dir"
  unset WINE_SESSION_VISIBLE
  export WINE_SESSION_DIR=$session_dir
  trap end_wine EXIT
  wine_session_start || { echo "FAIL: the Wine desktop or its settings could not be made"; exit 1; }
  [ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: no Wine prefix could be made"; exit 1; }
}
end_wine() {
  local rc=$?
  wine_session_stop
  [ "$failures" -eq 0 ] && [ "$rc" -eq 0 ] && rm -rf "$session_dir"
}

# answer <command...>: what a Wine program prints, carriage returns taken out. One
# started right after another ends now and then answers nothing under load: ask
# again before taking the silence for its answer.
answer() {
  local out
  for _ in 1 2 3; do
    out=$(timeout 30 "$@" </dev/null 2>/dev/null | tr -d '\r') && [ -n "$out" ] && break
    sleep 1
  done
  printf '%s\n' "$out"
  [ -n "$out" ]
}

# reg_value <key> <name>: prints the value's data; fails when it is not there.
reg_value() {
  local out
  out=$(answer wine reg query "$1" /v "$2") || return 1
  printf '%s\n' "$out" | sed -n "s/^    $2    REG_[A-Z_]*    //p" | head -1
  printf '%s\n' "$out" | grep -q "^    $2    REG_"
}
reg_key_exists() { timeout 30 wine reg query "$1" </dev/null >/dev/null 2>&1; }

unix_path() { answer winepath -u "$1"; }
windows_path() { answer winepath -w "$1"; }
# short_path <Windows path>: its 8.3 form (the path itself where it has none).
short_path() {
  printf '@for %%%%I in ("%%~1") do @echo %%%%~sI\r\n' >"$WINEPREFIX/drive_c/short.bat"
  answer wine cmd /c 'C:\short.bat' "$1"
}

# make_packages <build folder> <work folder> <package name>: the installer and
# the zip, made by cpack from the built program into the run's packages folder.
# Where they cannot be made (no NSIS: the emulated 32-bit PC), the packages the
# build machine made there for the run are used.
make_packages() {
  local out
  out=$(packages_folder "$2")
  if ! command -v makensis >/dev/null; then
    [ -s "$out/$3-setup.exe" ] && [ -s "$out/$3.zip" ] && return 0
    echo "FAIL: no cpack here, and no $3-setup.exe and $3.zip in $out"; return 1
  fi
  [ -f "$1/bin/tollvane.exe" ] || { echo "FAIL: $1/bin/tollvane.exe is not built"; return 1; }
  rm -rf "$out"
  timeout 150 cpack --config "$1/CPackConfig.cmake" -B "$out" >/dev/null || { echo "FAIL: cpack"; return 1; }
  [ -s "$out/$3-setup.exe" ] && [ -s "$out/$3.zip" ] || { echo "FAIL: cpack made no $3-setup.exe or $3.zip"; return 1; }
}

# wait_until <seconds> <command...>: polls every 0.2 s.
wait_until() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}

# user_folder <path under the user's profile>: that folder of the prefix's user.
user_folder() {
  local d
  for d in "$WINEPREFIX"/drive_c/users/*/"$1"; do
    case $d in */users/Public/*) continue ;; esac
    [ -d "$d" ] && { printf '%s\n' "$d"; return 0; }
  done
  return 1
}
programs_folder() { user_folder "AppData/Roaming/Microsoft/Windows/Start Menu/Programs"; }

# The shortcut the program writes at every start, and whether it points at <exe>
# (a Windows path).
shortcut() { printf '%s/StartUp/Shortcut to Tollvane.lnk\n' "$(programs_folder)"; }
shortcut_exists() { [ -f "$(shortcut)" ]; }
shortcut_points_at() { points_at "$(shortcut)" "$1"; }

# start_tollvane <unix path of exe>: starts it in the background; sets $tv_pid.
start_tollvane() {
  timeout 300 wine "$1" </dev/null >/dev/null 2>&1 &
  # shellcheck disable=SC2034  # the test that sources this file reads it
  tv_pid=$!
}
# A child that has ended but is not yet reaped still answers kill -0: look at its state.
is_running() { local s; s=$(ps -o stat= -p "$1" 2>/dev/null) && [ -n "$s" ] && [[ $s != Z* ]]; }
has_ended() { ! is_running "$1"; }
# ended_cleanly <pid> <seconds>: the process ends within the time, with exit code 0
# (what the program returns after closing its main window; not a kill).
ended_cleanly() {
  wait_until "$2" has_ended "$1" || return 1
  wait "$1"
}
