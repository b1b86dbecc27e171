#!/usr/bin/env bash
# Builds everything and runs every test:
#   - the shipped 32-bit tollvane.exe and all its tests (built; these machines
#     cannot run 32-bit code), its import audit and its packages;
#   - the platform-free code natively under AddressSanitizer/UndefinedBehaviorSanitizer,
#     with bounded fuzzing;
#   - the same program and settings built for x86-64, with every Windows test run
#     under Wine in a prefix that reports Windows XP (x64, 5.2), and again in one
#     that reports Windows 10, each with its own Xvfb display and wineserver. The
#     second run leaves out the three tests that only wait on the clock (the soak,
#     the one-minute delay at the real 5 s tick, the 101 close requests 250 ms
#     apart): the program asks nothing of the Windows version there. The last two
#     run beside the XP run, in an XP world of their own.
#   TOLLVANE_SOAK=1  also run the long soak test (CI runs its short form).
set -uo pipefail
cd "$(dirname "$0")"
root=$PWD
started=$SECONDS
phase() { echo "== $1 ($((SECONDS - started)) s in) =="; }

bash scripts/deps.sh || { echo "could not install the build dependencies"; exit 1; }
for preset in i686 windows native; do
  phase "build: $preset"
  cmake --preset $preset >/dev/null && cmake --build --preset $preset || { echo "$preset build failed"; exit 1; }
done

mkdir -p build/artifacts
export TOLLVANE_ARTIFACTS=$root/build/artifacts
logs=$root/build/test-logs
rm -rf "$logs"
mkdir -p "$logs"

phase "the shipped 32-bit program: import audit and packages"
ctest --test-dir build/i686 --output-on-failure 2>&1 | tee "$logs/i686.log"

phase "native tests (sanitizers, fuzzing)"
ctest --test-dir build/native --output-on-failure -j2 2>&1 | tee "$logs/native.log"

# wine_run <name> <Windows version or ""> [ctest options]: the Windows tests in a Wine world of its own.
labels=(-LE soak)
[ "${TOLLVANE_SOAK:-0}" = 1 ] && labels=()
wine_run() (
  name=$1
  export TOLLVANE_RUN_NAME=$name WINE_SESSION_DIR=$root/build/windows/wine-$name WINE_SESSION_WINVER=$2
  export TOLLVANE_ARTIFACTS=$root/build/artifacts/$name
  shift 2
  mkdir -p "$TOLLVANE_ARTIFACTS"
  source scripts/wine-session.sh
  trap wine_session_stop EXIT
  wine_session_start
  echo "Wine prefix '$name' reports: $(timeout 30 wine cmd /c ver </dev/null 2>/dev/null | tr -d '\r' | grep -m1 .)"
  ctest --test-dir build/windows --output-on-failure -j2 "${labels[@]}" "$@" 2>&1 | tee "$logs/wine-$name.log"
)
# The two prefixes one after the other: the tests that drive the real pointer want
# the machine's two cores to themselves. Only the two tests that merely wait on the
# clock (a minute at the real 5 s tick, 101 requests 250 ms apart) run beside the
# XP run, in an XP world of their own.
phase "Windows tests under Wine, in a prefix that reports Windows XP"
clock_tests='AtTheRealInterval|Exactly101Requests'
wine_run xp-clock winxp64 -R "$clock_tests" >/dev/null &
clock=$!
wine_run xp winxp64 -E "$clock_tests"
wait $clock
cat "$logs/wine-xp-clock.log"
phase "Windows tests under Wine, in a prefix that reports Windows 10"
wine_run current win10 -LE soak -E "$clock_tests"

count() { sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -1; }
failed=0 total=0
for log in i686 native wine-xp wine-xp-clock wine-current; do
  read -r f t < <(count "$logs/$log.log"; echo)
  f=${f:-1}; t=${t:-0}
  echo "$log: $((t - f)) of $t passed"
  failed=$((failed + f)); total=$((total + t))
done
echo
echo "$((total - failed)) passed, $failed failed ($((SECONDS - started)) s)"
[ "$failed" -eq 0 ] && [ "$total" -gt 0 ]
