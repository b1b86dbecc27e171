#!/usr/bin/env bash
# Builds everything and runs every test:
#   - the shipped 32-bit tollvane.exe and all its tests, its import audit and its
#     packages; these machines cannot run 32-bit code, so its tests run last, in an
#     emulated 32-bit PC (scripts/world32) under 32-bit Wine reporting Windows XP SP3;
#   - the platform-free code natively under AddressSanitizer/UndefinedBehaviorSanitizer,
#     with bounded fuzzing;
#   - the same program and settings built for x86-64, with every Windows test run
#     under Wine in a prefix that reports Windows XP (x64, 5.2), and again in one
#     that reports Windows 10, each with its own Xvfb display and wineserver. The
#     second run leaves out the two long tests (the soak, the 101 close requests
#     250 ms apart): the program asks nothing of the Windows version there. They
#     run in an XP world of their own, beside the other two, with the computer's
#     sleep at the real 5 s tick (the program stopped for longer and shorter than
#     a one-minute delay), which the Windows 10 world runs too.
#   - the tests that log the stand-in mail client off, again in Wine worlds whose
#     language is German and Japanese (code page 932), and the program's own
#     words in French and Spanish ones;
#   - the About box and the splash again at 120, 144 and 192 dpi;
#   - last, in the 32-bit world, the shipped program and every 32-bit test. Its
#     image is built (once; then cached) while the compilers run.
#   TOLLVANE_SOAK=1  also run the long soak test (CI runs its short form, and not
#                    in the 32-bit world).
set -uo pipefail
cd "$(dirname "$0")" || exit 1
root=$PWD
started=$SECONDS
phase() { echo "== $1 ($((SECONDS - started)) s in) =="; }

bash scripts/deps.sh || { echo "could not install the build dependencies"; exit 1; }
# The 32-bit world's image (about ten minutes the first time, cached after) is made
# while the compilers and the native tests run; the Wine worlds wait for it, so
# that nothing else loads the machine while they watch the clock.
mkdir -p build
phase "the 32-bit world's image, in the background"
bash scripts/world32/image.sh >/dev/null 2>build/world32-image.log &
image_job=$!
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
touch "$logs/i686.started"
TOLLVANE_RUN_NAME=xp32 ctest --preset i686-host --output-junit "$logs/i686.xml" 2>&1 | tee "$logs/i686.log"

phase "native tests (sanitizers, fuzzing)"
touch "$logs/native.started"
ctest --preset native --output-junit "$logs/native.xml" 2>&1 | tee "$logs/native.log"

# The long soak runs only when asked for (CI asks, in its short form), in every world.
soak=soak; [ "${TOLLVANE_SOAK:-0}" = 1 ] && soak=
wine_run() { bash scripts/wine-world.sh "$1" "$2" "$root/build/windows" -j2 ${soak:+-LE $soak} "${@:3}"; }
# Three Wine worlds at once, each with its own display and wineserver: the tests of
# one world that use the desktop run one at a time, and they leave the machine's
# cores mostly idle. The long tests (the soak, 101 requests 250 ms apart, the sleeps
# at the real 5 s tick) have an XP world of their own, so the XP run is no longer
# than the Windows 10 one; the Windows 10 run leaves them out (the program asks
# nothing of the Windows version there), all but the one that times how the program
# answers during a logoff.
wait $image_job || { echo "the 32-bit world's image could not be made:"; tail -40 build/world32-image.log; }
phase "Windows tests under Wine, in prefixes that report Windows XP and Windows 10"
# The sleep tests wait at the real tick as well; the Windows 10 world runs them
# too, since the system announces sleep and resume to programs there as on XP.
long_tests='^soak$|Exactly101Requests|ThroughoutALogoff|^Sleep\.'
wine_run xp-long winxp64 -R "$long_tests" >/dev/null &
long=$!
wine_run current win10 -E '^soak$|Exactly101Requests' >/dev/null &
current=$!
wine_run xp winxp64 -E "$long_tests"
wait $long $current
cat "$logs/wine-xp-long.log" "$logs/wine-current.log"

# Every test that logs the stand-in mail client off, again on a German and on a
# Japanese Windows (code page 932), both at once: the mail client's boxes speak
# the system's language there. Typed numbers are read in the person's locale, so
# the Set Delay test with its "2.9" stays in the English worlds.
phase "the logoff on a German and on a Japanese Windows"
# The About box, the tray menu and the splash come too, for their screenshots in that
# language, with the Startup shortcut and the installer.
logoff_tests='^(Monitor|TrayE2E|Faults|Policy|CloseOutlookExpress|ClickDialogButton|AboutBox|Splash|Shortcut|Language)\.|^packaging\.installer$'
# language_pair <name> <locale> <name> <locale> [ctest options...]: two language worlds at once.
language_pair() {
  WINE_SESSION_LOCALE=$2 wine_run "$1" "" "${@:5}" >/dev/null &
  local first=$!
  WINE_SESSION_LOCALE=$4 wine_run "$3" "" "${@:5}" >/dev/null
  wait $first
  cat "$logs/wine-$1.log" "$logs/wine-$3.log"
}
language_pair german de_DE.UTF-8 japanese ja_JP.UTF-8 -R "$logoff_tests" -E "$long_tests|SetDelayOffers"

# French and Spanish: the program's words (the menu, the Set Delay box, the warning
# window, the About box), with their screenshots, and the installer's pages.
phase "the program's words on a French and on a Spanish Windows"
language_pair french fr_FR.UTF-8 spanish es_ES.UTF-8 \
  -R '^Language\.|^AboutBox\.Opened|^TrayE2E\.ALogoffInsideTheInputBox|^Policy\.TheWarningStays|^packaging\.installer$'

# The display scales of 125%, 150% and 200%: the About box and the splash grow with
# the screen's dots per inch (96 is every other world's), all three worlds at once.
phase "the About box and the splash at 120, 144 and 192 dpi"
dpi_jobs=()
for dpi in 120 144 192; do
  WINE_SESSION_DPI=$dpi wine_run "dpi$dpi" winxp64 -R '^(Scale|HighContrast)\.' >/dev/null &
  dpi_jobs+=($!)
done
wait "${dpi_jobs[@]}"
cat "$logs"/wine-dpi{120,144,192}.log

# The 32-bit world: the shipped 32-bit program, every 32-bit test and the 32-bit
# installer, in an emulated 32-bit PC whose 32-bit Wine reports Windows XP SP3.
phase "the 32-bit world: an emulated 32-bit PC, Windows XP SP3 under 32-bit Wine"
# CI's short soak proves nothing there that the 64-bit XP world's did not (it counts
# what the process holds, and the code is the same); it would cost four minutes.
soak32=$soak; [ "${TOLLVANE_SOAK_SHORT:-0}" = 1 ] && soak32=soak
touch "$logs/wine-xp32.started"  # a PC that never ran its tests is a failure
bash scripts/world32/run.sh xp32 bash scripts/wine-world.sh xp32 "" "$root/build/i686" -j2 -LE "host${soak32:+|$soak32}"

# The totals, world by world, from each run's JUnit file (scripts/test-results.py).
python3 scripts/test-results.py "$logs"
status=$?
echo " ($((SECONDS - started)) s)"
exit $status
