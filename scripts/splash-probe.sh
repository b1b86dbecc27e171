#!/bin/bash
# temporary: how long the splash stays in the test, under load
cd "$(dirname "$0")/.."
root=$PWD
export WINE_SESSION_DIR=$root/build/i686/wine-probe
source scripts/wine-session.sh
wine_session_start
bin=$root/build/i686/bin
mkdir -p $root/build/artifacts/probe
( while :; do timeout 300 wine $bin/buttonex_paint_tests.exe >/dev/null 2>&1; done ) &
load=$!
sleep 10
for art in "$root/build/artifacts/probe" "" "$root/build/artifacts/probe" ""; do
  for i in 1 2 3; do
    TOLLVANE_ARTIFACTS=$art timeout 120 wine $bin/forms_tests.exe --gtest_filter='Splash.*' 2>&1 | grep -E "OK \]|FAILED \]|Which|Failure|near|evaluates" | tr '\n' ' '
    echo " (artifacts='$art')"
  done
done
kill $load
wine_session_stop
