#!/usr/bin/env bash
# Benchmarks, measured never asserted: each figure beside a baseline measured in
# the same run, under the same Wine prefix and Xvfb, printed as a ratio
# (bench/measure.sh). Measured twice: the x86-64 build of the shipped settings
# under this machine's 64-bit Wine, then the shipped 32-bit program in the
# emulated 32-bit PC (scripts/world32), about as fast as our users' PCs.
#   BENCH_SECONDS  length of each CPU sample (default 60)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
root=$PWD

bash scripts/deps.sh >/dev/null
for preset in windows i686; do
  cmake --preset $preset >/dev/null && cmake --build --preset $preset >/dev/null || { echo "$preset build failed"; exit 1; }
done

for build in i686 windows; do
  size=$(stat -c %s "$root/build/$build/bin/tollvane.exe")
  printf '%-44s %10s bytes (limit 1048576)\n' "tollvane.exe size ($build)" "$size"
done
echo
echo "=== x86-64 build, this machine's 64-bit Wine (a prefix of Wine's own Windows version) ==="
bash bench/measure.sh "$root/build/windows/bin"
echo
echo "=== the shipped 32-bit program, in the emulated 32-bit PC (32-bit Wine, Windows XP SP3) ==="
# About boxes take far longer to open there: fewer of them.
BENCH_ABOUT=${BENCH_ABOUT:-200} bash scripts/world32/run.sh bench32 bash bench/measure.sh "$root/build/i686/bin"
