#!/usr/bin/env bash
# The measurements of bench/bench.sh for one build, in a Wine session of its own:
# each figure beside a baseline measured in the same run, as a ratio.
#   measure.sh <folder of the built programs>
#   BENCH_SECONDS  length of each CPU sample (default 60)
#   BENCH_ABOUT    About boxes opened for the memory figure (default 1000)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
bin=$1
secs=${BENCH_SECONDS:-60}
abouts=${BENCH_ABOUT:-1000}

source scripts/wine-session.sh
WINE_SESSION_DIR=$(dirname "$bin")/wine-bench
export WINE_SESSION_DIR
trap wine_session_stop EXIT
wine_session_start

# CPU time of a Linux process's threads in microseconds, from the scheduler's own
# nanosecond count where the kernel keeps one: the clock-tick count of utime and
# stime (10 ms) is coarser than a whole idle program's use.
hz=$(getconf CLK_TCK)
cpu_us() {
  if [ -r "/proc/$1/schedstat" ]; then
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns / 1000 }'
  elif [ -r "/proc/$1/stat" ]; then
    awk -v hz="$hz" '{ sub(/^.*\) /, ""); printf "%d\n", ($12 + $13) * 1000000 / hz }' "/proc/$1/stat"
  else echo 0; fi
}
ms() { echo $(( $1 / 1000 )); }
rss_kb() { awk '/VmRSS/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }
server_pid() {
  local p
  for p in $(pgrep -x 'wineserver(32|64)?'); do
    tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return; }
  done
  echo 0
}
srv=$(server_pid)

# once SECONDS PROGRAM ARGS...: program CPU and wineserver CPU (ms) over SECONDS after a 3 s warm-up.
once() {
  local span=$1; shift
  wine "$@" </dev/null >/dev/null 2>&1 &
  local pid=$!
  sleep 3
  local a s b t
  a=$(cpu_us $pid); s=$(cpu_us "$srv")
  sleep "$span"
  b=$(cpu_us $pid); t=$(cpu_us "$srv")
  kill $pid 2>/dev/null; wait $pid 2>/dev/null
  echo "$(ms $((b - a))) $(ms $((t - s)))"
}

# pair "OURS..." "BASELINE...": both measured in three alternating rounds that add up
# to $secs each, so that drift in the machine's load falls on both alike.
# Prints: ours-program ours-server baseline-program baseline-server.
pair() {
  local op=0 os=0 bp=0 bs=0 p s
  for _ in 1 2 3; do
    read -r p s < <(once $((secs / 3)) $1); op=$((op + p)); os=$((os + s))
    read -r p s < <(once $((secs / 3)) $2); bp=$((bp + p)); bs=$((bs + s))
  done
  echo "$op $os $bp $bs"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0) printf "%.2f\n", a / b; else print "n/a" }'; }
row() { printf '%-44s %10s %10s %8s\n' "$@"; }

timeout 20 wine reg add 'HKCU\Software\Tollvane\Settings' /v DelayMinutes /d 100000 /f >/dev/null 2>&1

echo "CPU over ${secs} s (program / wineserver, ms)"
read -r w_prog w_srv t_prog t_srv < <(pair "$bin/tollvane.exe" "$bin/bench_baseline.exe timer")
read -r e_prog _ < <(once "$secs" "$bin/bench_baseline.exe" empty)
wine "$bin/mailclient.exe" --log 'C:\bench-mail.txt' </dev/null >/dev/null 2>&1 &
mail=$!
sleep 1
read -r m_prog m_srv me_prog me_srv < <(pair "$bin/tollvane.exe" "$bin/bench_baseline.exe empty")
kill $mail 2>/dev/null; wait $mail 2>/dev/null

row "measure" "ours" "baseline" "ratio"
row "waiting, program CPU ms (vs a 1 ms poll)" "$w_prog" "$t_prog" "$(ratio "$w_prog" "$t_prog")"
row "waiting, program+wineserver CPU ms" "$((w_prog + w_srv))" "$((t_prog + t_srv))" "$(ratio $((w_prog + w_srv)) $((t_prog + t_srv)))"
row "waiting vs empty loop, program CPU ms" "$w_prog" "$e_prog" "$(ratio "$w_prog" "$e_prog")"
row "watching, program CPU ms (5 s ticks)" "$m_prog" "$me_prog" "$(ratio "$m_prog" "$me_prog")"
row "watching, program+wineserver CPU ms" "$((m_prog + m_srv))" "$((me_prog + me_srv))" "$(ratio $((m_prog + m_srv)) $((me_prog + me_srv)))"
echo
# starts <mode> <exe> [args...]: the median of three starts, in ms (bench_driver).
starts() { timeout 300 wine "$bin/bench_driver.exe" "$1" 3 "${@:2}" </dev/null 2>/dev/null | tr -d '\r'; }
middle() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
# Three rounds, ours and the baseline's in turn, so that drift in the machine's
# load falls on both alike.
icon=() bl_icon=() splash=() bl_window=()
for _ in 1 2 3; do
  icon+=("$(starts startup "$bin/tollvane.exe")")
  bl_icon+=("$(starts startup "$bin/bench_baseline.exe" tray)")
  splash+=("$(starts window "$bin/tollvane.exe")")
  bl_window+=("$(starts window "$bin/bench_baseline.exe" tray)")
done
tv_start=$(middle "${icon[@]}") bl_start=$(middle "${bl_icon[@]}")
tv_splash=$(middle "${splash[@]}") bl_win=$(middle "${bl_window[@]}")
echo
echo "Start-up: from CreateProcess (ms; the middle of three rounds of three starts, in turn)"
row "measure" "ours" "baseline" "ratio"
row "to the tray icon" "$tv_start" "$bl_start" "$(ratio "$tv_start" "$bl_start")"
row "to the splash (baseline: its window)" "$tv_splash" "$bl_win" "$(ratio "$tv_splash" "$bl_win")"
row "to the splash (baseline: its tray icon)" "$tv_splash" "$bl_start" "$(ratio "$tv_splash" "$bl_start")"

echo
echo "Detection: the mail client's main window to the monitor's first tick (ms, medians of 5)"
wine "$bin/tollvane.exe" </dev/null >/dev/null 2>&1 &
tv=$!
sleep 5
read -r detect_existing detect_shown < <(timeout 300 wine "$bin/bench_driver.exe" detect 5 \
  "$(winepath -w "$bin/mailclient.exe" 2>/dev/null)" </dev/null 2>/dev/null | tr -d '\r')
kill $tv 2>/dev/null; wait $tv 2>/dev/null
row "measure" "ours" "the tick" "ratio"
row "first tick after the window is shown, ms" "$detect_shown" 5000 "$(ratio "$detect_shown" 5000)"
row "first tick after the window exists, ms" "$detect_existing" 5000 "$(ratio "$detect_existing" 5000)"

echo
echo "Memory: resident set (KB)"
wine "$bin/bench_baseline.exe" tray </dev/null >/dev/null 2>&1 &
base=$!
wine "$bin/tollvane.exe" </dev/null >/dev/null 2>&1 &
tv=$!
sleep 4
base_rss=$(rss_kb $base); tv_rss=$(rss_kb $tv)
timeout 1200 wine "$bin/bench_driver.exe" about "$abouts" </dev/null >/dev/null 2>&1; about_rc=$?
sleep 1
tv_rss_after=$(rss_kb $tv)
kill $base $tv 2>/dev/null; wait $base $tv 2>/dev/null
row "measure" "ours" "baseline" "difference"
row "RSS after start, KB" "$tv_rss" "$base_rss" "$((tv_rss - base_rss))"
row "RSS after $abouts About boxes, KB (rc $about_rc)" "$tv_rss_after" "$tv_rss" "$((tv_rss_after - tv_rss))"


echo
for extra in bench/*/bench.sh; do
  [ -f "$extra" ] && bash "$extra" "$bin"
done
