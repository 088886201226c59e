#!/usr/bin/env bash
# Creates the demo host database with the mistakes of planted_mistakes.sql at DB_PATH (an existing
# file is replaced): the plain demo of make_demo_db.sh, then the mistakes on top of it.
#   demo/make_planted_db.sh DB_PATH
set -euo pipefail

if (($# != 1)); then
  echo "usage: $0 DB_PATH" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
db=$1
case $db in /*) ;; *) db="$PWD/$db" ;; esac
export ISC_USER=${ISC_USER:-SYSDBA}
export ISC_PASSWORD=${ISC_PASSWORD:-masterkey}

bash "$here/make_demo_db.sh" "$db" >/dev/null

# SQL string literal: single quotes doubled.
sql_quote() { printf "'%s'" "${1//\'/\'\'}"; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! printf 'SET NAMES UTF8;\nSET BAIL ON;\nCONNECT %s;\nINPUT %s;\n' "$(sql_quote "$db")" \
  "$(sql_quote "$here/planted_mistakes.sql")" | isql-fb -q -b >"$log" 2>&1; then
  cat "$log" >&2
  rm -f "$db"
  echo "planting the mistakes into $db failed" >&2
  exit 1
fi
if grep -q . "$log"; then cat "$log"; fi
echo "$db: created with the planted mistakes"
