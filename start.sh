#!/usr/bin/env bash
# Builds Tollvane and starts it under Wine: in a visible Wine desktop when a
# display exists, otherwise headless under Xvfb, leaving a screenshot in
# build/artifacts/start.png.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target tollvane
mkdir -p build/artifacts
source scripts/wine-session.sh
export WINE_SESSION_DIR=$PWD/build/windows/wine-start
if [ -n "${DISPLAY:-}" ]; then
  export WINE_SESSION_VISIBLE=1
  wine_session_start
  echo "Tollvane runs in the Wine desktop window; choose Exit in its tray menu to stop it."
  wine build/windows/bin/tollvane.exe </dev/null >/dev/null 2>&1 || true
  wine_session_stop
else
  trap wine_session_stop EXIT
  wine_session_start
  wine build/windows/bin/tollvane.exe </dev/null >/dev/null 2>&1 &
  sleep 1
  import -window root build/artifacts/start-splash.png
  sleep 4
  import -window root build/artifacts/start.png
  echo "Headless: screenshots in build/artifacts/start-splash.png and build/artifacts/start.png"
fi
