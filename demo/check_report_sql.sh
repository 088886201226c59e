#!/usr/bin/env bash
# Checks the SQL texts stored in REPORT_SQL of a host database against what the declaration
# modules expect of them:
#   - every key is there, uses only the parameters the module binds for it, and keeps colons and
#     apostrophes out of its comments (the module turns every ":Name" into "?");
#   - prepared the way the module prepares it ("?" for every parameter), every parameter gets a
#     type from its context and the result has the work table's columns, in order, with its types;
#   - run with literal values (quarter, organization, precision 3, the options in a few
#     combinations) it returns rows in which every grouping of the declaration is one run of
#     adjacent rows, every movement row belongs to a listed subdivision, and the option rules hold.
#   demo/check_report_sql.sh DB_PATH [QUARTER] [ORG_ID] [YEAR]
# Defaults: quarter 1, organization 1, year 2024. Exit status 1 when anything failed.
set -uo pipefail

if (($# < 1 || $# > 4)); then
  echo "usage: $0 DB_PATH [QUARTER] [ORG_ID] [YEAR]" >&2
  exit 2
fi
db=$1
quarter=${2:-1}
org=${3:-1}
year=${4:-2024}
[[ -f $db || $db == *:* ]] || { echo "no database $db" >&2; exit 2; }
[[ $quarter =~ ^[1-4]$ ]] || { echo "quarter must be 1..4" >&2; exit 2; }
case $db in /* | *:*) ;; *) db="$PWD/$db" ;; esac
quarter_dates() { # quarter year -> "first last"
  case $1 in
    1) echo "$2-01-01 $2-03-31" ;;
    2) echo "$2-04-01 $2-06-30" ;;
    3) echo "$2-07-01 $2-09-30" ;;
    4) echo "$2-10-01 $2-12-31" ;;
    *) echo "quarter must be 1..4" >&2; exit 2 ;;
  esac
}
read -r first last <<<"$(quarter_dates "$quarter" "$year")"
# the following quarter, whose opening balances must be this quarter's closing ones
if ((quarter == 4)); then
  read -r next_first next_last <<<"$(quarter_dates 1 $((year + 1)))"
else
  read -r next_first next_last <<<"$(quarter_dates $((quarter + 1)) "$year")"
fi
here=$(cd "$(dirname "$0")" && pwd)
export ISC_USER=${ISC_USER:-SYSDBA}
export ISC_PASSWORD=${ISC_PASSWORD:-masterkey}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# ---------- what the modules expect (the work-table contract) ----------
# Columns as NAME:TYPE, I integer, D date, F double precision, S varchar.

obosob_cols="CL_ID:I CL_NAME:S CL_KPP:S CL_COUNTRY_KOD:S CL_POST_INDEX:S CL_REGION:S CL_DISTRICT:S
  CL_CITY_CLEAR:S CL_NAS_PUNKT:S CL_STREET:S CL_HOUSE_CLEAR:S CL_BUILDING:S CL_APPARTMENT:S
  CL_INN:S CL_ADDRESS:S"
client_cols="CL_ID:I CL_IS_IP:I CL_NAME:S CL_INN:S CL_KPP:S CL_ADDRES:S CL_COUNTRY_KOD:S
  CL_POST_INDEX:S CL_REGION:S CL_DISTRICT_NAME:S CL_CITY_NAME:S CL_NAS_PUNKT:S CL_STREET_NAME:S
  CL_HOUSE:S CL_BUILDING:S CL_APPARTMENT:S CL_LIC_SERIES:S CL_LIC_NUMBER:S CL_LIC_DATE:D
  CL_LIC_GOOD_DATE:D CL_LIC_ORGAN:S CL_LIC_REG_NUMBER:S"
manuf_cols="MANUF_ID:I MANUF_NAME:S MANUF_INN:S MANUF_KPP:S"
buy_cols="VIDPROD_NAME:S VIDPROD_KOD:S SUPERPLACE_CL_ID:I $client_cols $manuf_cols
  EXT_DOC_DATE:D EXT_DOCINDEX:S QUANTITY:F ISRET:I"

declare -A cols params groups
for k in Rozn RoznBeer Transport Buy Delivery Oborot; do
  cols[ibqrySelectZorvic${k}Obosob]=$obosob_cols
  params[ibqrySelectZorvic${k}Obosob]="report_id owner_id from_name_id group_by_superplace"
  groups[ibqrySelectZorvic${k}Obosob]="CL_ID"
done

cols[ibqrySelectZorvicRoznBuy]="VIDPROD_NAME:S VIDPROD_KOD:S SUPERPLACE_CL_ID:I $client_cols
  $manuf_cols EXT_DOC_DATE:D EXT_DOCINDEX:S ARTICUL:S GOODNAME:S NETTO:F QUANTITY:F ISRET:I"
cols[ibqrySelectZorvicRoznOborot]="VIDPROD_NAME:S VIDPROD_KOD:S SUPERPLACE_CL_ID:I $manuf_cols
  ARTICUL:S GOODNAME:S NETTO:F OST_BEGIN:F PRIX_PROIZ:F PRIX_OPT:F PRIX_IMPORT:F PRIX_RET:F
  PRIX_MOVE:F PRIX_OTHER:F RASX_ROZN:F RASX_RET:F RASX_MOVE:F RASX_OTHER:F"
cols[ibqrySelectZorvicRoznBeerBuy]="VIDPROD_NAME:S VIDPROD_KOD:S SUPERPLACE_CL_ID:I CL_ID:I
  CL_IS_IP:I CL_NAME:S CL_INN:S CL_KPP:S $manuf_cols EXT_DOC_DATE:D EXT_DOCINDEX:S ARTICUL:S
  GOODNAME:S NETTO:F QUANTITY:F ISRET:I"
cols[ibqrySelectZorvicRoznBeerOborot]="VIDPROD_NAME:S VIDPROD_KOD:S SUPERPLACE_CL_ID:I $manuf_cols
  ARTICUL:S GOODNAME:S NETTO:F OST_BEGIN:F PRIX_PROIZ:F PRIX_OPT:F PRIX_IMPORT:F PRIX_RET:F
  PRIX_OTHER:F RASX_ROZN:F RASX_RET:F RASX_OTHER:F"
cols[ibqrySelectZorvicTransport]="$buy_cols BUYER_ID:I BUYER_NAME:S BUYER_INN:S BUYER_KPP:S
  TRANS_TYPE:S TRANS_NUMBER:S TRANS_VOLUME:F VIDTRANS_KOD:S TN_DATE:D TN_INDEX:S TN_QUANTITY:F"
cols[ibqrySelectZorvicBuy]=$buy_cols
cols[ibqrySelectZorvicDelivery]=$buy_cols
cols[ibqrySelectZorvicOborot]="VIDPROD_NAME:S VIDPROD_KOD:S SUPERPLACE_CL_ID:I MANUF_NAME:S
  MANUF_INN:S MANUF_KPP:S OST_BEGIN:F PRIX_PROIZ:F PRIX_OPT:F PRIX_IMPORT:F PRIX_RET:F PRIX_MOVE:F
  PRIX_OTHER:F RASX_OPT:F RASX_ROZN:F RASX_EXPORT:F RASX_RET:F RASX_MOVE:F RASX_OTHER:F"

# Parameters the module binds for each key (names compared without regard to case).
retail="report_id owner_id date_first date_last calc_precision group_by_superplace from_name_id
  manuf_kind vidprod_kind use_sel_clients group_by_articul show_null_netto"
wholesale="report_id owner_id from_name_id date_first date_last calc_precision group_by_superplace
  manuf_kind vidprod_kind"
params[ibqrySelectZorvicRoznBuy]=$retail
params[ibqrySelectZorvicRoznOborot]="$retail only_move"
params[ibqrySelectZorvicRoznBeerBuy]=$retail
params[ibqrySelectZorvicRoznBeerOborot]="$retail only_move"
params[ibqrySelectZorvicTransport]="report_id owner_id date_first date_last calc_precision
  group_by_superplace from_name_id"
params[ibqrySelectZorvicBuy]=$wholesale
params[ibqrySelectZorvicDelivery]=$wholesale
params[ibqrySelectZorvicOborot]=$wholesale

# How each declaration body groups the rows, outermost first: every level (with the levels above
# it) must form one run of adjacent rows. A+B groups two columns into one level.
groups[ibqrySelectZorvicRoznBuy]="SUPERPLACE_CL_ID VIDPROD_KOD MANUF_ID CL_ID CL_LIC_DATE"
groups[ibqrySelectZorvicRoznOborot]="SUPERPLACE_CL_ID VIDPROD_KOD MANUF_ID"
groups[ibqrySelectZorvicRoznBeerBuy]="SUPERPLACE_CL_ID VIDPROD_KOD MANUF_ID CL_ID"
groups[ibqrySelectZorvicRoznBeerOborot]="SUPERPLACE_CL_ID VIDPROD_KOD MANUF_ID"
groups[ibqrySelectZorvicTransport]="SUPERPLACE_CL_ID VIDTRANS_KOD VIDPROD_KOD CL_ID CL_LIC_DATE
  TRANS_TYPE+TRANS_NUMBER TN_DATE+TN_INDEX"
groups[ibqrySelectZorvicBuy]="SUPERPLACE_CL_ID VIDPROD_KOD MANUF_ID CL_ID CL_LIC_DATE"
groups[ibqrySelectZorvicDelivery]="SUPERPLACE_CL_ID VIDPROD_KOD MANUF_ID CL_ID CL_LIC_DATE"
groups[ibqrySelectZorvicOborot]="SUPERPLACE_CL_ID VIDPROD_KOD"

keys="ibqrySelectZorvicRoznObosob ibqrySelectZorvicRoznBuy ibqrySelectZorvicRoznOborot
  ibqrySelectZorvicRoznBeerObosob ibqrySelectZorvicRoznBeerBuy ibqrySelectZorvicRoznBeerOborot
  ibqrySelectZorvicTransportObosob ibqrySelectZorvicTransport
  ibqrySelectZorvicBuyObosob ibqrySelectZorvicBuy
  ibqrySelectZorvicDeliveryObosob ibqrySelectZorvicDelivery
  ibqrySelectZorvicOborotObosob ibqrySelectZorvicOborot"

# Option combinations: group_by_superplace manuf_kind vidprod_kind use_sel_clients
# group_by_articul show_null_netto only_move
combos=("0 0 0 0 0 0 0" "1 1 1 0 1 1 0" "1 2 2 1 0 0 1" "0 2 1 1 1 0 1")

# ---------- helpers ----------

isql() { isql-fb -q "$@"; }
sql_quote() { printf "'%s'" "${1//\'/\'\'}"; }
connect="SET NAMES UTF8;
CONNECT $(sql_quote "$db");"

# The stored text of a key, as the module gets it.
stored_text() {
  printf '%s\nSET LIST ON;\nSET BLOB ALL;\nselect SQL_TEXT from REPORT_SQL where SQL_KEY = %s;\n' \
    "$connect" "$(sql_quote "$1")" | isql 2>&1 |
    awk 'body { print; next } /^SQL_TEXT +[0-9a-f]+:[0-9a-f]+$/ { body = 1 }' |
    sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'
}

# The text with every parameter replaced by a literal of the type the module binds: BIGINT for
# integers, TIMESTAMP at midnight for the two dates.
substitute() { # text gs mk vk sel art snn om
  printf '%s' "$1" | sed -E \
    -e "s/:date_first\b/timestamp '${sub_first:-$first} 00:00:00'/gI" \
    -e "s/:date_last\b/timestamp '${sub_last:-$last} 00:00:00'/gI" \
    -e "s/:from_name_id\b/cast($org as bigint)/gI" \
    -e "s/:report_id\b/cast(0 as bigint)/gI" \
    -e "s/:owner_id\b/cast(0 as bigint)/gI" \
    -e "s/:calc_precision\b/cast(3 as bigint)/gI" \
    -e "s/:group_by_superplace\b/cast($2 as bigint)/gI" \
    -e "s/:manuf_kind\b/cast($3 as bigint)/gI" \
    -e "s/:vidprod_kind\b/cast($4 as bigint)/gI" \
    -e "s/:use_sel_clients\b/cast($5 as bigint)/gI" \
    -e "s/:group_by_articul\b/cast($6 as bigint)/gI" \
    -e "s/:show_null_netto\b/cast($7 as bigint)/gI" \
    -e "s/:only_move\b/cast($8 as bigint)/gI"
}

has_col() { [[ " ${cols[$1]//$'\n'/ } " == *" $2:"* ]]; }

# Runs the text with literals and prints the probe columns of each row, joined by "|".
probe() { # key text names...
  local key=$1 text=$2
  shift 2
  local sel="" n
  for n in "$@"; do
    sel+="${sel:+ || '|' || }coalesce(cast(q.$n as varchar(300)), '<null>')"
  done
  printf '%s\nSET HEADING OFF;\nSET BAIL ON;\nselect %s\n  from (\n%s\n) q;\n' "$connect" "$sel" "$text" |
    isql >"$work/probe.out" 2>"$work/probe.err"
  if [[ -s $work/probe.err ]]; then
    fail "$key: running the text: $(head -c 600 "$work/probe.err" | tr '\n' ' ')"
    return 1
  fi
  sed -e 's/ *$//' -e '/^$/d' "$work/probe.out"
}

# ---------- checks ----------

echo "database $db, organization $org, quarter $quarter of $year ($first .. $last)"
printf '%-36s %s\n' "key" "rows per option combination [gs mk vk sel art nn om]"

declare -A obosob_ids
for key in $keys; do
  text=$(stored_text "$key")
  if [[ -z $text ]]; then
    fail "$key: not in REPORT_SQL"
    continue
  fi
  if [[ -f $here/report_sql/$key.sql && "$text" != "$(cat "$here/report_sql/$key.sql")" ]]; then
    fail "$key: the stored text differs from report_sql/$key.sql (database built from older files?)"
  fi

  # Comments must not carry what a parameter scanner could take for a parameter or a string.
  comments=$(printf '%s' "$text" | perl -0ne 'print join("\n", /\/\*.*?\*\/|--[^\n]*/gs)')
  [[ $comments == *[:\']* ]] && fail "$key: a comment holds a colon or an apostrophe"
  [[ $text =~ \;[[:space:]]*$ ]] && fail "$key: the text ends with a semicolon"

  # Parameters used must be ones the module binds.
  used=$(printf '%s' "$text" | grep -oE ':[A-Za-z_][A-Za-z0-9_]*' | tr 'A-Z' 'a-z' | sort -u | tr -d ':')
  for p in $used; do
    [[ " ${params[$key]//$'\n'/ } " == *" $p "* ]] || fail "$key: uses :$p, which the module does not bind"
  done

  # Prepared as the module prepares it.
  qtext=$(printf '%s' "$text" | sed -E 's/:[A-Za-z_][A-Za-z0-9_]*/?/g')
  nparams=$(printf '%s' "$text" | grep -oE ':[A-Za-z_][A-Za-z0-9_]*' | wc -l)
  printf '%s\nSET PLANONLY ON;\nSET SQLDA_DISPLAY ON;\n%s;\n' "$connect" "$qtext" |
    isql >"$work/sqlda.out" 2>&1
  if grep -q "Statement failed" "$work/sqlda.out"; then
    fail "$key: prepare with ? failed: $(grep -A4 'Statement failed' "$work/sqlda.out" | tr '\n' ' ')"
    continue
  fi
  awk -v want="$nparams" -v key="$key" '
    /^INPUT message field count/ { sect = "in"; n = $NF; if (n != want) printf "FAIL %s: %d parameters described, %d in the text\n", key, n, want }
    /^OUTPUT message field count/ { sect = "out" }
    sect == "in" && /sqltype: 32766/ { printf "FAIL %s: a parameter gets no type from its context\n", key }
  ' "$work/sqlda.out" >"$work/inparams"
  if [[ -s $work/inparams ]]; then
    while read -r line; do fail "${line#FAIL }"; done <"$work/inparams"
  fi
  got=$(awk '
    /^OUTPUT message field count/ { out = 1; next }
    out && /^[0-9]+: sqltype:/ { t = $3 }
    out && /alias:/ { sub(/.*alias: /, ""); m = (t == 496 ? "I" : t == 570 ? "D" : t == 480 ? "F" : t == 448 ? "S" : "type" t); printf "%s:%s ", $0, m }
  ' "$work/sqlda.out")
  want=$(echo ${cols[$key]})
  if [[ "${got% }" != "$want" ]]; then
    fail "$key: result columns differ from the work table"
    diff <(tr ' ' '\n' <<<"$want") <(tr ' ' '\n' <<<"${got% }") | sed 's/^/      /' | head -20
  fi

  # Run with literals in several option combinations.
  counts=""
  for combo in "${combos[@]}"; do
    read -r gs mk vk sel art snn om <<<"$combo"
    ltext=$(substitute "$text" "$gs" "$mk" "$vk" "$sel" "$art" "$snn" "$om")
    glevels=${groups[$key]}
    probecols=$(echo "$glevels" | tr '+' ' ')
    extra=""
    for c in SUPERPLACE_CL_ID ISRET ARTICUL NETTO QUANTITY VIDPROD_KOD MANUF_ID MANUF_NAME MANUF_INN; do
      has_col "$key" "$c" && extra+=" $c"
    done
    figures=$(echo ${cols[$key]} | tr ' ' '\n' | grep -E '^(OST_BEGIN|PRIX_|RASX_)' | cut -d: -f1 | tr '\n' ' ')
    extra+=" $figures"
    names=$(echo $probecols $extra | tr ' ' '\n' | awk '!seen[$0]++' | tr '\n' ' ')
    if ! probe "$key" "$ltext" $names >"$work/rows"; then
      counts+=" err"
      continue
    fi
    n=$(wc -l <"$work/rows")
    counts+=" $(printf '%7d' "$n")"
    tag="$key [$combo]"

    # Adjacency of every grouping level.
    awk -F'|' -v names="$names" -v levels="$(echo $glevels)" -v tag="$tag" '
      BEGIN { nn = split(names, nm, " "); for (i = 1; i <= nn; i++) pos[nm[i]] = i
              nl = split(levels, lv, " ") }
      { key = ""
        for (l = 1; l <= nl; l++) {
          np = split(lv[l], parts, "+")
          for (p = 1; p <= np; p++) key = key SUBSEP $(pos[parts[p]])
          if (key != prev[l]) {
            if ((l, key) in seen) { printf "FAIL %s: rows of one %s group are not adjacent (row %d)\n", tag, lv[l], NR; exit }
            seen[l, key] = 1; prev[l] = key
          }
        } }' "$work/rows" >"$work/adj"
    while read -r line; do [[ -n $line ]] && fail "${line#FAIL }"; done <"$work/adj"

    # Option rules and row sanity, by column name.
    awk -F'|' -v names="$names" -v tag="$tag" -v art="$art" -v snn="$snn" -v om="$om" -v key="$key" '
      BEGIN { nn = split(names, nm, " "); for (i = 1; i <= nn; i++) pos[nm[i]] = i }
      function v(n) { return (n in pos) ? $(pos[n]) : "" }
      function bad(msg) { if (!(msg in said)) { printf "FAIL %s: %s (row %d)\n", tag, msg, NR; said[msg] = 1 } }
      { if ("ISRET" in pos && v("ISRET") != "0" && v("ISRET") != "1") bad("ISRET is neither 0 nor 1")
        if ("QUANTITY" in pos) {
          if (v("QUANTITY") == "<null>" || v("QUANTITY") + 0 < 0) bad("QUANTITY missing or negative")
          if (!(art == 1 && snn == 1) && v("QUANTITY") + 0 == 0) bad("QUANTITY is zero")
        }
        if ("ARTICUL" in pos) {
          if (art == 0 && (v("ARTICUL") != "<null>" || v("NETTO") != "<null>")) bad("ARTICUL/NETTO filled without group_by_articul")
          if (art == 1 && (v("ARTICUL") == "<null>" || v("NETTO") == "<null>")) bad("ARTICUL/NETTO empty with group_by_articul")
          if (art == 1 && snn == 0 && v("NETTO") + 0 <= 0) bad("goods without volume shown without show_null_netto")
        }
        if ("OST_BEGIN" in pos && key ~ /Rozn/ && om == 1 && v("OST_BEGIN") + 0 != 0) bad("OST_BEGIN not 0 with only_move")
        if (key ~ /Obosob$/ && v("CL_ID") == "<null>") bad("subdivision without CL_ID")
      }' "$work/rows" >"$work/rules"
    while read -r line; do [[ -n $line ]] && fail "${line#FAIL }"; done <"$work/rules"

    # Subdivisions: remember them; movement rows must belong to one of them.
    if [[ $key == *Obosob ]]; then
      ((n > 0)) || fail "$tag: no subdivision (the module stops with \"no data\")"
      obosob_ids[$gs]=$(cut -d'|' -f1 "$work/rows" | sort -u | tr '\n' ' ')
    elif [[ -n ${obosob_ids[$gs]:-} ]]; then
      sp=$(echo $names | tr ' ' '\n' | grep -nx SUPERPLACE_CL_ID | cut -d: -f1)
      for id in $(cut -d'|' -f"$sp" "$work/rows" | sort -u); do
        [[ " ${obosob_ids[$gs]} " == *" $id "* ]] || fail "$tag: SUPERPLACE_CL_ID $id is not a listed subdivision"
      done
    fi

    # Forms 11 and 12: every purchase group must find its turnover row (the body looks it up).
    if [[ $key == *Buy && $key == *Rozn* ]]; then
      cut -d'|' -f1-3 "$work/rows" | sort -u >"$work/buy_groups.$gs$mk$vk$sel$art$snn$om"
    elif [[ $key == *RoznOborot || $key == *RoznBeerOborot ]]; then
      cut -d"|" -f1-3 "$work/rows" | sort -u >"$work/oborot_groups"
      touch "$work/buy_groups.$gs$mk$vk$sel$art$snn$om"
      missing=$(comm -23 "$work/buy_groups.$gs$mk$vk$sel$art$snn$om" "$work/oborot_groups" | head -3 | tr '\n' ' ')
      [[ -z $missing ]] || fail "$tag: purchase groups without a turnover row: $missing"
    fi

    # Turnover: the closing balance of every row is the opening balance of the next quarter.
    if [[ $key == *Oborot ]] && ((om == 0)); then
      if [[ $key == *Rozn* ]]; then bal_keys="SUPERPLACE_CL_ID VIDPROD_KOD MANUF_ID ARTICUL"
      else bal_keys="SUPERPLACE_CL_ID VIDPROD_KOD MANUF_NAME MANUF_INN"; fi
      next_text=$(sub_first=$next_first sub_last=$next_last \
        substitute "$text" "$gs" "$mk" "$vk" "$sel" "$art" "$snn" "$om")
      if probe "$key" "$next_text" $bal_keys OST_BEGIN >"$work/next_q"; then
        awk -F"|" -v names="$names" -v figures="$figures" -v bal="$bal_keys" -v tag="$tag" '
          BEGIN { nn = split(names, nm, " "); for (i = 1; i <= nn; i++) pos[nm[i]] = i
                  nf = split(figures, fig, " "); split(bal, bk, " ") }
          NR == FNR { k = $(pos[bk[1]]) FS $(pos[bk[2]]) FS $(pos[bk[3]]) FS $(pos[bk[4]]); c = 0
                      for (i = 1; i <= nf; i++) c += (fig[i] ~ /^RASX_/ ? -1 : 1) * $(pos[fig[i]])
                      closing[k] += c; next }
          { opening[$1 FS $2 FS $3 FS $4] += $5 }
          END { for (k in closing) d[k] = closing[k] - opening[k]
                for (k in opening) if (!(k in closing)) d[k] = -opening[k]
                for (k in d) if (d[k] > 0.01 || d[k] < -0.01) {
                  printf "FAIL %s: the closing balance of %s is not the opening balance of the next quarter (off by %.3f)\n", tag, k, d[k]; exit } }
        ' "$work/rows" "$work/next_q" >"$work/bal"
        while read -r line; do [[ -n $line ]] && fail "${line#FAIL }"; done <"$work/bal"
      fi
    fi
  done

  # The text as the module runs it (not wrapped): it runs and returns as many rows (printing a
  # large result would take isql longer than the query, so beyond 5000 rows only the first 5000).
  ltext=$(substitute "$text" 0 0 0 0 0 0 0)
  first_count=$(awk '{print $1}' <<<"$counts")
  [[ $first_count =~ ^[0-9]+$ ]] && ((first_count > 5000)) && limit=5000 || limit=0
  direct=$(printf '%s\nSET COUNT ON;\nSET LIST ON;\nSET ROWCOUNT %d;\n%s;\n' "$connect" "$limit" "$ltext" |
    isql 2>&1 | grep -E '^Records affected|Statement failed' | tail -1)
  ((limit)) && first_count=$limit
  if [[ $direct != "Records affected: ${first_count:-x}" ]]; then
    fail "$key: the text on its own gave '${direct:-nothing}', wrapped $first_count rows"
  fi

  printf '%-36s%s\n' "$key" "$counts"
done

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
