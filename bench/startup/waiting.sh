#!/usr/bin/env bash
# What the program does once its icon is up and it waits: its processor time in
# each second of its first SECONDS (default 40) after the start, with no mail
# client running, and at the end each of its threads' share.
# Called by bench/startup/bench.sh inside its Wine session.
#   waiting.sh <folder of the built programs> [SECONDS]
bin=$1
secs=${2:-40}
thread_us() { awk '{ printf "%d\n", $1 / 1000 }' "$1/schedstat" 2>/dev/null || echo 0; }
all_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%d\n", ns / 1000 }'; }
wine "$bin/tollvane.exe" </dev/null >/dev/null 2>&1 &
pid=$!
echo "Waiting: the program's processor time in each second after its start (ms, all its threads)"
line="" last=0
for s in $(seq 1 "$secs"); do
  sleep 1
  now=$(all_us $pid)
  line+=" $(( (now - last) / 1000 ))"
  last=$now
  [ $((s % 10)) = 0 ] && { printf '  %3d s:%s\n' "$s" "$line"; line=""; }
done
echo "  by thread (total ms, name):"
for t in /proc/$pid/task/*; do
  printf '    %6d ms  %s\n' $(( $(thread_us "$t") / 1000 )) "$(cat "$t/comm" 2>/dev/null)"
done
kill $pid 2>/dev/null; wait $pid 2>/dev/null
