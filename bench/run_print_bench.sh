#!/usr/bin/env bash
# Preparing and exporting each print form from collected work tables, on generated databases of
# 10 000, 100 000 and 1 000 000 document lines. The collection runs first in a process of its
# own; the print form (variables, layout in two passes, export) is timed alone. Prints a Markdown
# table.
#   bench/run_print_bench.sh [BUILD_DIR] [DATA_DIR] [FORMAT] [SIZES...]     FORMAT: pdf, xlsx or html
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/scale_database.sh
build=${1:-build}
data=${2:-/tmp/zorvic-bench}
format=${3:-pdf}
shift 3 || true
sizes=("$@")
((${#sizes[@]})) || sizes=(10000 100000 1000000)
mkdir -p "$data"

echo "| lines | form | work-table rows | pages | $format s | peak MiB | file MB | rows/s |"
echo "|---:|---|---:|---:|---:|---:|---:|---:|"
for n in "${sizes[@]}"; do
  db=$(scale_database "$data" "$n")
  for form in rozn roznbeer buy delivery oborot; do
    work=$(mktemp -d)
    "$build/bin/declaration_bench" "$db" "$form" "$work" collect >/dev/null
    read -r _ rows seconds kib bytes pages < <("$build/bin/declaration_bench" "$db" "$form" "$work" "print.$format")
    rm -rf "$work"
    awk -v n="$n" -v f="$form" -v r="$rows" -v s="$seconds" -v k="$kib" -v b="$bytes" -v p="$pages" \
      'BEGIN { printf "| %d | %s | %d | %d | %.2f | %.0f | %.1f | %.0f |\n", n, f, r, p, s, k / 1024, b / 1e6, (s > 0 ? r / s : 0) }'
  done
done
