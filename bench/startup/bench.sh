#!/usr/bin/env bash
# Where the start goes before the first window, one part at a time: the minimal
# tray program with one of the program's parts added, and the program's own image
# (its first window made at once in WinMain) with one taken away, all started in
# turn round the list so that drift in the machine's load falls on all alike.
# Then the program's icon against the minimal program's, and what the program
# does while it waits (waiting.sh).
# Called by bench/measure.sh inside its Wine session, or alone:
#   bench.sh <folder of the built programs>
#   BENCH_ROUNDS (default 7), BENCH_WAITING_SECONDS (default 40)
set -uo pipefail
bin=$1
rounds=${BENCH_ROUNDS:-7}
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${WINEPREFIX:-}" ]; then
  source "$here/../../scripts/wine-session.sh"
  WINE_SESSION_DIR=$(dirname "$bin")/wine-bench-startup
  export WINE_SESSION_DIR
  trap wine_session_stop EXIT
  wine_session_start
  timeout 20 wine reg add 'HKCU\Software\Tollvane\Settings' /v DelayMinutes /d 100000 /f >/dev/null 2>&1
fi

labels=() cmds=()
add() {
  labels+=("$1")
  cmds+=("\"$(winepath -w "$bin/$2.exe" 2>/dev/null)\"${3:+ $3}")
}
# table window|startup TITLE: the commands added so far, each beside the first.
table() {
  echo "$2 (ms; median and fastest of $rounds, in turn)"
  printf '%-44s %10s %10s %8s\n' "program" "median" "fastest" "ratio"
  local i=0 base='' median fastest
  while read -r median fastest; do
    [ -n "$base" ] || base=$median
    printf '%-44s %10s %10s %8s\n' "${labels[$i]}" "$median" "$fastest" \
      "$(awk -v a="$median" -v b="$base" 'BEGIN { if (b + 0) printf "%.2f", a / b; else print "n/a" }')"
    i=$((i + 1))
  done < <(timeout 3000 wine "$bin/bench_driver.exe" table "$rounds" "$1" "${cmds[@]}" </dev/null 2>/dev/null | tr -d '\r')
  labels=() cmds=()
  echo
}

add "minimal tray program" bench_baseline tray
add "+ an empty static initialiser" bench_add_nothing tray
add "+ the manifest (comctl32 6, DPI aware)" bench_add_manifest tray
add "+ comctl32 (5) import" bench_add_comctl32 tray
add "+ comctl32 6: import and manifest" bench_add_comctl32_6 tray
add "+ ole32 import" bench_add_ole32 tray
add "+ oleaut32 import" bench_add_oleaut32 tray
add "+ advapi32 import" bench_add_advapi32 tray
add "+ the static C++ runtime" bench_add_cxx tray
add "+ 700 KB of read-only data" bench_add_ballast tray
add "+ the resources (no manifest)" bench_add_resources tray
add "+ all of these" bench_add_all tray
add "the program's image, window in WinMain" bench_image_whole
add "  - the manifest" bench_image_no_manifest
add "  + the comctl32 import (as before)" bench_image_comctl32_import
add "the program, to its splash" tollvane
add "minimal tray program, again" bench_baseline tray
table window "Start-up, process creation to the first window"

add "minimal tray program" bench_baseline tray
add "the program" tollvane
table startup "Start-up, process creation to the tray icon"

bash "$here/waiting.sh" "$bin" "${BENCH_WAITING_SECONDS:-40}"
