#!/usr/bin/env bash
# Runs a Windows build's tests in a Wine world of its own: a prefix, an Xvfb
# display and a persistent wineserver that no other world shares.
#   wine-world.sh <name> <Windows version for winecfg -v, or ""> <build folder> [ctest options...]
# WINE_SESSION_LOCALE sets the world's language (wine-session.sh).
# The log goes to build/test-logs/wine-<name>.log and the results to wine-<name>.xml
# (JUnit; wine-<name>.started says the run began), screenshots to build/artifacts/<name>/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=$1 build=$3
export TOLLVANE_RUN_NAME=$name WINE_SESSION_DIR=$build/wine-$name WINE_SESSION_WINVER=$2
export TOLLVANE_ARTIFACTS=$root/build/artifacts/$name
shift 3
logs=$root/build/test-logs
mkdir -p "$TOLLVANE_ARTIFACTS" "$logs"
touch "$logs/wine-$name.started"
source "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start
echo "Wine prefix '$name' reports: $(timeout 60 wine cmd /c ver </dev/null 2>/dev/null | tr -d '\r' | grep -m1 .)"
# The tests' lists are read from the test programs on first use; one world at a time writes them.
flock "$build/discovery.lock" ctest --test-dir "$build" -N >/dev/null
ctest --test-dir "$build" --output-on-failure --output-junit "$logs/wine-$name.xml" "$@" 2>&1 | tee "$logs/wine-$name.log"
