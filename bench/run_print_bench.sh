#!/usr/bin/env bash
# Preparing and exporting each print form from collected work tables, on generated databases of
# 10 000, 100 000 and 1 000 000 document lines, in every export format. The collection runs first
# in a process of its own; the print form (variables, the counting pass, the pass that lays each
# page out and hands it to the export) is timed alone, each format in a process of its own so the
# peak memory is that export's. Prints a Markdown table.
#   bench/run_print_bench.sh [BUILD_DIR] [DATA_DIR] [FORMATS] [SIZES...]
# FORMATS: a comma-separated list of pdf, xlsx, html, rtf (default all); FORMS in the environment
# narrows the forms (default: rozn roznbeer buy delivery oborot).
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/scale_database.sh
build=${1:-build}
data=${2:-/tmp/zorvic-bench}
formats=${3:-pdf,xlsx,html,rtf}
shift 3 || true
sizes=("$@")
((${#sizes[@]})) || sizes=(10000 100000 1000000)
read -r -a forms <<<"${FORMS:-rozn roznbeer buy delivery oborot}"
mkdir -p "$data"

echo "| lines | form | work-table rows | pages | format | s | peak MiB | file MB | rows/s |"
echo "|---:|---|---:|---:|---|---:|---:|---:|---:|"
for n in "${sizes[@]}"; do
  db=$(scale_database "$data" "$n")
  for form in "${forms[@]}"; do
    work=$(mktemp -d)
    "$build/bin/declaration_bench" "$db" "$form" "$work" collect >/dev/null
    for format in ${formats//,/ }; do
      read -r _ rows seconds kib bytes pages < <("$build/bin/declaration_bench" "$db" "$form" "$work" "print.$format")
      awk -v n="$n" -v f="$form" -v r="$rows" -v s="$seconds" -v k="$kib" -v b="$bytes" -v p="$pages" -v x="$format" \
        'BEGIN { printf "| %d | %s | %d | %d | %s | %.2f | %.0f | %.1f | %.0f |\n", n, f, r, p, x, s, k / 1024, b / 1e6, (s > 0 ? r / s : 0) }'
    done
    rm -rf "$work"
  done
done
