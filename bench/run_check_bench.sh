#!/usr/bin/env bash
# The checks before filing per form, on generated databases (10 000, 100 000 and 1 000 000
# document lines unless other sizes are given): the collection and the writing of the declaration,
# then the checks of its work tables and of its file against the schema, each step in a process of
# its own (peak memory is the check's own), side by side with what they add to generate's time.
# Prints a Markdown table.
#   bench/run_check_bench.sh [BUILD_DIR] [DATA_DIR] [SIZES...]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/scale_database.sh
bench_arguments "$@"

echo "| lines | form | work-table rows | file MB | generate s | check s | check ÷ generate | check peak MiB | findings | rows/s |"
echo "|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|"
for n in "${sizes[@]}"; do
  db=$(scale_database "$data" "$n")
  for form in $(scale_forms "$n"); do
    work=$(mktemp -d)
    read -r _ _ collect _ < <("$build/bin/declaration_bench" "$db" "$form" "$work" collect)
    read -r _ _ write _ bytes _ < <("$build/bin/declaration_bench" "$db" "$form" "$work" write)
    read -r _ rows seconds kib findings < <("$build/bin/declaration_bench" "$db" "$form" "$work" check)
    rm -rf "$work"
    awk -v n="$(scale_label "$n")" -v f="$form" -v r="$rows" -v c="$collect" -v w="$write" -v s="$seconds" -v k="$kib" -v by="$bytes" -v x="$findings" \
      'BEGIN { g = c + w; printf "| %s | %s | %d | %.1f | %.2f | %.2f | %.0f %% | %.0f | %d | %.0f |\n", n, f, r, by / 1e6, g, s, (g > 0 ? 100 * s / g : 0), k / 1024, x, (s > 0 ? r / s : 0) }'
  done
done
