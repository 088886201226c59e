#!/usr/bin/env bash
# Starts the tests' own Firebird server on the loopback interface, everything under DIR.
#   tests/server/start.sh DIR
# DIR gets a private server root (the installed pieces linked, a configuration of its own), lock
# directory and security database with a SYSDBA of a fresh random password; DIR/port and
# DIR/password (readable by the owner only) then say how to reach it. The server opens databases
# under DIR/databases only. A server that an earlier run of the same DIR left behind is stopped
# first. The server stops through stop.sh, or by itself once the process that ran this script
# (ctest) is gone, so an interrupted run leaves none behind.
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$1"
dir=$(cd "$1" && pwd)
installed=/usr/lib/firebird/3.0
for candidate in /usr/lib/*/firebird/3.0; do
  [[ -e $candidate/plugins/libEngine12.so ]] && installed=$candidate
done
server=/usr/sbin/firebird
for need in "$server" "$installed/plugins/libSrp.so" "$(command -v isql-fb || echo isql-fb)"; do
  if [[ ! -e $need ]]; then
    echo "the Firebird server is not installed ($need is missing): run scripts/setup.sh" >&2
    exit 1
  fi
done

bash "$here/stop.sh" "$dir"

root=$dir/root
rm -rf "$root" "$dir/lock" "$dir/databases" "$dir/security3.fdb" "$dir/port" "$dir/password" "$dir/server.pid"
mkdir -p "$root/intl" "$dir/lock" "$dir/databases"
for piece in firebird.msg plugins lib UDF plugins.conf; do
  ln -s "$installed/$piece" "$root/$piece"
done
# The character sets module finds its character sets only when it is a file of the root itself,
# not a link to one.
cp "$installed/intl/libfbintl.so" "$root/intl/"
: >"$root/databases.conf"
export FIREBIRD=$root FIREBIRD_LOCK=$dir/lock

# The security database and its one user are made with the embedded engine, under a
# configuration that only names the security database; a small database to check logins
# against comes beside the tests' ones.
password=$(od -An -N12 -tx1 /dev/urandom | tr -d ' \n')
printf 'SecurityDatabase = %s\nUserManager = Srp\n' "$dir/security3.fdb" >"$root/firebird.conf"
if ! printf "create database '%s';\ncreate user SYSDBA password '%s' using plugin Srp;\ncommit;\ncreate database '%s';\n" \
  "$dir/security3.fdb" "$password" "$dir/databases/probe.fdb" | isql-fb -q -user SYSDBA >"$dir/server.log" 2>&1; then
  cat "$dir/server.log" >&2
  echo "cannot create the security database $dir/security3.fdb" >&2
  exit 1
fi

configure() {
  cat >"$root/firebird.conf" <<CONF
RemoteServicePort = $1
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $dir/security3.fdb
AuthServer = Srp
UserManager = Srp
DatabaseAccess = Restrict $dir/databases
ExternalFileAccess = None
UdfAccess = None
CONF
}

# Whether any socket of this machine already uses the TCP port.
port_taken() {
  awk -v port="$(printf '%04X' "$1")" \
    'FNR > 1 { split($2, address, ":"); if (address[2] == port) taken = 1 } END { exit !taken }' \
    /proc/net/tcp /proc/net/tcp6 2>/dev/null
}

# Whether the server on the port is ours and complete: it lets our SYSDBA in, speaking WIN1251.
answers() {
  printf 'select 1 from rdb$database;\n' |
    env -u FIREBIRD -u FIREBIRD_LOCK ISC_USER=SYSDBA ISC_PASSWORD="$password" \
      isql-fb -q -ch WIN1251 "127.0.0.1/$1:$dir/databases/probe.fdb" >/dev/null 2>&1
}

# Each directory starts its search at a port of its own, so that builds side by side rarely meet.
first=$((20000 + $(printf '%s' "$dir" | cksum | cut -d' ' -f1) % 20000))
for ((attempt = 0; attempt < 40; attempt++)); do
  port=$((first + attempt))
  port_taken "$port" && continue
  configure "$port"
  setsid "$server" </dev/null >>"$dir/server.log" 2>&1 &
  pid=$!
  for ((tries = 0; tries < 100; tries++)); do
    kill -0 "$pid" 2>/dev/null || break
    if answers "$port"; then
      echo "$pid" >"$dir/server.pid"
      (umask 077 && echo "$password" >"$dir/password")
      echo "$port" >"$dir/port"
      setsid bash "$here/watch.sh" "$dir" "$pid" "$PPID" </dev/null >/dev/null 2>&1 &
      echo "Firebird server $pid listens on 127.0.0.1:$port, root $root"
      exit 0
    fi
    sleep 0.2
  done
  # The port was taken meanwhile, or the server would not come up on it: try the next one.
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
cat "$dir/server.log" >&2
echo "no Firebird server could be started for $dir" >&2
exit 1
