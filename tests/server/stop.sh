#!/usr/bin/env bash
# Stops the tests' Firebird server of DIR (see start.sh), if one runs; quiet when none does.
#   tests/server/stop.sh DIR
# The server is found by its root in its environment, not by a pid file alone, so one left behind
# by a killed run is found too, and no other Firebird process is touched.
set -uo pipefail

if (($# != 1)); then
  echo "usage: $0 DIR" >&2
  exit 2
fi
[[ -d $1 ]] || exit 0
dir=$(cd "$1" && pwd)

ours() {
  local pids=() proc name
  for proc in /proc/[0-9]*; do
    { read -r name <"$proc/comm"; } 2>/dev/null || continue
    [[ $name == firebird ]] || continue
    tr '\0' '\n' 2>/dev/null <"$proc/environ" | grep -qxF "FIREBIRD=$dir/root" && pids+=("${proc#/proc/}")
  done
  echo "${pids[@]}"
}

rm -f "$dir/port" "$dir/password"
pids=$(ours)
[[ -n $pids ]] || exit 0
kill -TERM $pids 2>/dev/null
for ((tries = 0; tries < 50; tries++)); do
  [[ -n $(ours) ]] || break
  sleep 0.2
done
pids=$(ours)
[[ -z $pids ]] || kill -KILL $pids 2>/dev/null
rm -f "$dir/server.pid"
exit 0
