# Sourced by the benchmark scripts: prints the path of the generated database named by $2 in the
# directory $1, making it first when it is not there yet. $2 is a number of document lines of
# every kind (demo/fill_scale.sh), or "chain-N" for a chain's quarter of N purchase lines
# (bench/fill_chain.sh).
scale_database() {
  local db n filler
  case $2 in
    chain-*) db="$1/$2.fdb" n=${2#chain-} filler=bench/fill_chain.sh ;;
    *) db="$1/scale-$2.fdb" n=$2 filler=demo/fill_scale.sh ;;
  esac
  if [[ ! -f $db ]]; then
    bash demo/make_demo_db.sh "$db" >/dev/null
    bash "$filler" "$db" "$n" >/dev/null
  fi
  echo "$db"
}

# The forms a generated database is measured with: a chain's quarter holds purchases only.
scale_forms() {
  case $1 in
    chain-*) echo buy ;;
    *) echo rozn roznbeer transport buy delivery oborot ;;
  esac
}

# "1 000 000" for 1000000, "chain 1 000 000" for chain-1000000.
scale_label() {
  local n=${1#chain-} label=""
  while ((${#n} > 3)); do
    label=" ${n: -3}$label"
    n=${n:0:${#n}-3}
  done
  [[ $1 == chain-* ]] && echo "chain $n$label" || echo "$n$label"
}

# The arguments every benchmark script takes, [BUILD_DIR] [DATA_DIR] [SIZES...], into $build,
# $data (made when missing) and the array $sizes (10 000, 100 000 and 1 000 000 lines by default).
bench_arguments() {
  build=${1:-build}
  data=${2:-/tmp/zorvic-bench}
  shift 2 || shift $#
  sizes=("$@")
  ((${#sizes[@]})) || sizes=(10000 100000 1000000)
  mkdir -p "$data"
}
