#!/usr/bin/env bash
# Stops the tests' Firebird server of DIR once the process that started it is gone, whatever
# ended it; started in the background by start.sh.
#   tests/server/watch.sh DIR SERVER_PID OWNER_PID
dir=$1 server=$2 owner=$3
here=$(cd "$(dirname "$0")" && pwd)

# A process id can be reused; its start time tells the process that had it apart.
started() { sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f20; }
owner_start=$(started "$owner")
[[ -n $owner_start ]] || owner_start=gone

while [[ $(started "$owner") == "$owner_start" ]] && kill -0 "$server" 2>/dev/null; do
  sleep 1
done
kill -0 "$server" 2>/dev/null && exec bash "$here/stop.sh" "$dir"
exit 0
