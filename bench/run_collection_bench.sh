#!/usr/bin/env bash
# Data collection against the bare fetch of the same host queries, per form, on generated
# databases of 10 000, 100 000 and 1 000 000 document lines unless other sizes are given
# ("chain-N" for a chain's quarter of N purchase lines, form 07 only). Each measurement runs in a
# process of its own, so its peak memory is its own. Prints a Markdown table.
#   bench/run_collection_bench.sh [BUILD_DIR] [DATA_DIR] [SIZES...]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/scale_database.sh
bench_arguments "$@"

echo "| lines | form | rows | bare fetch s | collection s | ratio | bare peak MiB | collection peak MiB |"
echo "|---:|---|---:|---:|---:|---:|---:|---:|"
for n in "${sizes[@]}"; do
  db=$(scale_database "$data" "$n")
  for form in $(scale_forms "$n"); do
    read -r _ _ rows bare bare_kib < <("$build/bin/collection_bench" "$db" "$form" bare)
    read -r _ _ _ collect collect_kib < <("$build/bin/collection_bench" "$db" "$form" collect)
    awk -v n="$(scale_label "$n")" -v f="$form" -v r="$rows" -v b="$bare" -v c="$collect" -v bk="$bare_kib" -v ck="$collect_kib" \
      'BEGIN { printf "| %s | %s | %d | %.2f | %.2f | %.2f | %.0f | %.0f |\n", n, f, r, b, c, (b > 0 ? c / b : 0), bk / 1024, ck / 1024 }'
  done
done
