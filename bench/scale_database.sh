# Sourced by the benchmark scripts: prints the path of the generated database of $2 document
# lines in the directory $1, making it first when it is not there yet.
scale_database() {
  local db="$1/scale-$2.fdb"
  if [[ ! -f $db ]]; then
    bash demo/make_demo_db.sh "$db" >/dev/null
    bash demo/fill_scale.sh "$db" "$2" >/dev/null
  fi
  echo "$db"
}
