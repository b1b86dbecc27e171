#!/usr/bin/env bash
# temporary: start-up figures only
set -uo pipefail
cd "$(dirname "$0")/.."
bin=$1
source scripts/wine-session.sh
export WINE_SESSION_DIR=$(dirname "$bin")/wine-bench
trap wine_session_stop EXIT
wine_session_start
for round in 1 2; do
tv_start=$(timeout 300 wine "$bin/bench_driver.exe" startup 9 "$bin/tollvane.exe" </dev/null 2>/dev/null | tr -d '\r')
bl_start=$(timeout 300 wine "$bin/bench_driver.exe" startup 9 "$bin/bench_baseline.exe" tray </dev/null 2>/dev/null | tr -d '\r')
tv_splash=$(timeout 300 wine "$bin/bench_driver.exe" window 9 "$bin/tollvane.exe" </dev/null 2>/dev/null | tr -d '\r')
echo "icon $tv_start baseline $bl_start splash $tv_splash"
done
