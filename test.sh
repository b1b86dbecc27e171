#!/usr/bin/env bash
# Builds everything and runs every test: the platform-free code natively under
# AddressSanitizer/UndefinedBehaviorSanitizer (with bounded fuzzing), then the
# Windows tests under Wine in a private prefix, Xvfb display and wineserver.
#   TOLLVANE_SOAK=1  also run the long soak test (CI runs its short form).
set -uo pipefail
cd "$(dirname "$0")"
root=$PWD

bash scripts/deps.sh || { echo "could not install the build dependencies"; exit 1; }
cmake --preset windows >/dev/null && cmake --build --preset windows || { echo "Windows build failed"; exit 1; }
cmake --preset native >/dev/null && cmake --build --preset native || { echo "native build failed"; exit 1; }

mkdir -p build/artifacts
export TOLLVANE_ARTIFACTS=$root/build/artifacts
logs=$root/build/test-logs
mkdir -p "$logs"

echo "== native tests (sanitizers, fuzzing) =="
ctest --test-dir build/native --output-on-failure 2>&1 | tee "$logs/native.log"

echo "== Windows tests under Wine =="
source scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start
labels=(-LE soak)
[ "${TOLLVANE_SOAK:-0}" = 1 ] && labels=()
ctest --test-dir build/windows --output-on-failure "${labels[@]}" 2>&1 | tee "$logs/windows.log"

count() { sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -1; }
read -r nf nt < <(count "$logs/native.log"; echo)
read -r wf wt < <(count "$logs/windows.log"; echo)
nf=${nf:-1}; nt=${nt:-0}; wf=${wf:-1}; wt=${wt:-0}
failed=$((nf + wf)); total=$((nt + wt))
echo
echo "$((total - failed)) passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$total" -gt 0 ]
