#!/usr/bin/env bash
# A declaration's generation per form, on generated databases (10 000, 100 000 and 1 000 000
# document lines unless other sizes are given; "chain-N" for a chain's quarter of N purchase
# lines, form 07 only): the bare fetch of the host queries, the collection into the work tables
# and the writing of the declaration file from them, each in a process of its own (peak memory is
# the writing's own), side by side. Prints a Markdown table.
#   bench/run_declaration_bench.sh [BUILD_DIR] [DATA_DIR] [SIZES...]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/scale_database.sh
bench_arguments "$@"

echo "| lines | form | work-table rows | bare fetch s | collection s | write s | generate ÷ bare | write peak MiB | file MB | write MB/s |"
echo "|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|"
for n in "${sizes[@]}"; do
  db=$(scale_database "$data" "$n")
  for form in $(scale_forms "$n"); do
    work=$(mktemp -d)
    read -r _ _ _ bare _ < <("$build/bin/collection_bench" "$db" "$form" bare)
    read -r _ _ collect _ < <("$build/bin/declaration_bench" "$db" "$form" "$work" collect)
    read -r _ rows seconds kib bytes _ < <("$build/bin/declaration_bench" "$db" "$form" "$work" write)
    rm -rf "$work"
    awk -v n="$(scale_label "$n")" -v f="$form" -v r="$rows" -v b="$bare" -v c="$collect" -v s="$seconds" -v k="$kib" -v by="$bytes" \
      'BEGIN { printf "| %s | %s | %d | %.2f | %.2f | %.2f | %.2f | %.0f | %.1f | %.1f |\n", n, f, r, b, c, s, (b > 0 ? (c + s) / b : 0), k / 1024, by / 1e6, (s > 0 ? by / 1e6 / s : 0) }'
  done
done
