#!/usr/bin/env bash
# Creates the demo host database at DB_PATH (an existing file is replaced) with the embedded
# Firebird engine: schema, sample data, and every report_sql/<KEY>.sql stored in REPORT_SQL under
# its key.
#   demo/make_demo_db.sh DB_PATH
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

command -v isql-fb >/dev/null || {
  echo "isql-fb not found: install firebird3.0-utils" >&2
  exit 1
}

# SQL string literal: single quotes doubled.
sql_quote() { printf "'%s'" "${1//\'/\'\'}"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stored texts: one insert per file, the key being the file name without ".sql". A text is
# stored exactly as the file holds it (trailing newlines aside).
{
  echo "SET NAMES UTF8;"
  for f in "$here"/report_sql/*.sql; do
    [[ -e $f ]] || continue
    key=$(basename "$f" .sql)
    text=$(cat "$f")
    printf 'insert into REPORT_SQL (SQL_KEY, SQL_TEXT) values (%s, %s);\n' \
      "$(sql_quote "$key")" "$(sql_quote "$text")"
  done
  echo "commit;"
} >"$work/report_sql.sql"

cat >"$work/create.sql" <<EOF
SET NAMES UTF8;
SET SQL DIALECT 3;
SET BAIL ON;
CREATE DATABASE $(sql_quote "$db") PAGE_SIZE 16384 DEFAULT CHARACTER SET WIN1251;
INPUT $(sql_quote "$here/schema.sql");
INPUT $(sql_quote "$here/data.sql");
INPUT $(sql_quote "$work/report_sql.sql");
EOF

rm -f "$db"
if ! isql-fb -q -b -i "$work/create.sql" >"$work/log" 2>&1; then
  cat "$work/log" >&2
  echo "creating $db failed" >&2
  exit 1
fi
if grep -q . "$work/log"; then cat "$work/log"; fi

keys=$(printf 'SET NAMES UTF8;\nCONNECT %s;\nSET HEADING OFF;\nselect count(*) from REPORT_SQL;\n' "$(sql_quote "$db")" |
  isql-fb -q | tr -d ' \n')
echo "$db: created, $keys stored SQL texts"
