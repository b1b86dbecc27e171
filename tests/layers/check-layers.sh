#!/usr/bin/env bash
# The layers point one way: every #include "folder/..." in src/ must name a
# folder that the including folder may use. base is under everything; the
# forms layer (ui) is under the tray, the controls and the information
# windows; services use base only; only app sees everything.
#   check-layers.sh <src folder>
set -uo pipefail
src=${1:?src folder}
declare -A may=(
  [base]="base"
  [ui]="base ui"
  [services]="base services"
  [tray]="base ui tray"
  [controls]="base ui controls"
  [forms]="base ui services controls forms"
  [app]="base ui services tray controls forms app"
)
bad=0 seen=0
while IFS=: read -r file line text; do
  from=${file#"$src"/}; from=${from%%/*}
  to=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([a-z]+)\/.*/\1/p' <<<"$text")
  [ -n "$to" ] || continue
  seen=$((seen + 1))
  if [ -z "${may[$from]+x}" ]; then
    echo "FAIL: $file: folder '$from' has no place in the layers"; bad=$((bad + 1))
  elif ! grep -qw "$to" <<<"${may[$from]}"; then
    echo "FAIL: $file:$line: $from includes $to"; bad=$((bad + 1))
  fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"' "$src" --include='*.h' --include='*.cpp')
echo "$seen includes across folders checked; $bad point the wrong way"
[ "$seen" -gt 0 ] && [ "$bad" -eq 0 ]
