#!/usr/bin/env bash
# What the program does once its icon is up and it waits: its processor time in
# each second of its first SECONDS (default 40) after the start, with no mail
# client running, and each of its threads' share; beside it the minimal program
# with a timer as slow as the program's safety net, which asks for the mail
# client's window as often: the least a wait of that kind costs.
# Called by bench/startup/bench.sh inside its Wine session.
#   waiting.sh <folder of the built programs> [SECONDS]
bin=$1
secs=${2:-40}
all_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns / 1000 }'; }
profile() {
  wine "$@" </dev/null >/dev/null 2>&1 &
  local pid=$! line="" last=0 now s t total=0
  for s in $(seq 1 "$secs"); do
    sleep 1
    now=$(all_us $pid)
    line+=" $(( (now - last) / 1000 ))"
    [ "$s" -gt 10 ] && total=$((total + now - last))
    last=$now
    [ $((s % 10)) = 0 ] && { printf '  %3d s:%s\n' "$s" "$line"; line=""; }
  done
  echo "  after the first 10 s: $((total / 1000)) ms in $((secs - 10)) s; by thread (ms, name):"
  for t in /proc/$pid/task/*; do
    printf '    %6d  %s\n' "$(awk '{ printf "%d", $1 / 1000000 }' "$t/schedstat" 2>/dev/null)" "$(cat "$t/comm" 2>/dev/null)"
  done
  kill $pid 2>/dev/null; wait $pid 2>/dev/null || true
}
echo "Waiting: processor time in each second after the start (ms, all the process's threads)"
echo " the program:"
profile "$bin/tollvane.exe"
echo " the minimal program with a 2 s timer:"
profile "$bin/bench_baseline.exe" slow
