#!/usr/bin/env bash
# Writing each form's declaration file from collected work tables, on generated
# databases of 10 000, 100 000 and 1 000 000 document lines. The collection runs first in a
# process of its own; the writing is timed alone. Prints a Markdown table.
#   bench/run_declaration_bench.sh [BUILD_DIR] [DATA_DIR] [SIZES...]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/scale_database.sh
build=${1:-build}
data=${2:-/tmp/zorvic-bench}
shift 2 || true
sizes=("$@")
((${#sizes[@]})) || sizes=(10000 100000 1000000)
mkdir -p "$data"

echo "| lines | form | work-table rows | write s | peak MiB | file MB | MB/s |"
echo "|---:|---|---:|---:|---:|---:|---:|"
for n in "${sizes[@]}"; do
  db=$(scale_database "$data" "$n")
  for form in rozn roznbeer transport buy delivery oborot; do
    work=$(mktemp -d)
    "$build/bin/declaration_bench" "$db" "$form" "$work" collect
    read -r _ rows seconds kib bytes _ < <("$build/bin/declaration_bench" "$db" "$form" "$work" write)
    rm -rf "$work"
    awk -v n="$n" -v f="$form" -v r="$rows" -v s="$seconds" -v k="$kib" -v b="$bytes" \
      'BEGIN { printf "| %d | %s | %d | %.2f | %.0f | %.1f | %.1f |\n", n, f, r, s, k / 1024, b / 1e6, (s > 0 ? b / 1e6 / s : 0) }'
  done
done
