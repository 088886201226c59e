#!/usr/bin/env bash
# Adds a chain's quarter of purchases to a database made by demo/make_demo_db.sh: N purchase lines
# (1 000 to 1 000 000) in quarter 1 of 2024 for organization 1, at two subdivisions, of 20 product
# kinds from 10 producers, bought from 125 suppliers whose licences are renewed in mid-February,
# so that each supplier is declared under two licences. Documents of ten lines, each line a kind
# and producer of its own, so that every line is a row of the form 07 declaration. The same N
# always gives the same data.
#   bench/fill_chain.sh DB_PATH N
set -euo pipefail

if (($# != 2)); then
  echo "usage: $0 DB_PATH N" >&2
  exit 2
fi
db=$1
n=$2
[[ $n =~ ^[0-9]+$ ]] && ((n >= 1000 && n <= 1000000)) || {
  echo "N must be a whole number from 1000 to 1000000" >&2
  exit 2
}
[[ -f $db ]] || { echo "no database $db (make it with demo/make_demo_db.sh)" >&2; exit 2; }
case $db in /*) ;; *) db="$PWD/$db" ;; esac
export ISC_USER=${ISC_USER:-SYSDBA}
export ISC_PASSWORD=${ISC_PASSWORD:-masterkey}

n_sup=125
n_man=10
n_kinds=20            # the demo's six kinds of spirits and wine and fourteen more
lines_per_doc=10
batch=100000          # lines per transaction

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sql_quote() { printf "'%s'" "${1//\'/\'\'}"; }

{
  echo "SET NAMES UTF8;"
  echo "CONNECT $(sql_quote "$db");"
  echo "SET BAIL ON;"
  echo "SET TERM ^;"
  cat <<EOF
execute block as
declare variable i integer;
declare variable k integer;
declare variable id integer;
declare variable sup_base integer;
declare variable man_base integer;
declare variable goods_base integer;
declare variable inn varchar(12);
declare variable kinds varchar(60) = '200211212229400440';
begin
  /* fourteen more kinds of spirits and wine: codes 601 to 614 */
  i = 1;
  while (i <= $n_kinds - 6) do
  begin
    insert into VIDPROD (KOD, NAME, BEER_FORM) values (600 + :i, 'Вид продукции сети ' || :i, 0);
    kinds = kinds || (600 + i);
    i = i + 1;
  end

  sup_base = gen_id(SEQ_CLIENTS, $n_sup) - $n_sup + 1;
  man_base = gen_id(SEQ_CLIENTS, $n_man) - $n_man + 1;

  i = 0;
  while (i < $n_sup) do
  begin
    id = sup_base + i;
    inn = '36' || lpad(mod(id * 7919, 100000000), 8, '0');
    insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID, COUNTRY_KOD)
      values (:id, 'Поставщик сети ' || :i, 'ООО «Поставщик сети № ' || :i || '»', :inn, '366601001', 1, 3, '643');
    insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
      values (:id, 0, '643', '3940' || lpad(mod(:i, 99), 2, '0'), '36', 'Воронеж', 'г', 'Складская', 'ул', mod(:i, 200) + 1);
    insert into CLIENT_LICENSES (CLIENT_ID, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
      values (:id, '36ЗАП' || lpad(:id, 7, '0'), 'Федеральная служба по регулированию алкогольного рынка', 5, '2019-02-15', '2024-02-14');
    insert into CLIENT_LICENSES (CLIENT_ID, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
      values (:id, '36ЗАП' || lpad(:id + 5000000, 7, '0'), 'Федеральная служба по регулированию алкогольного рынка', 5, '2024-02-15', '2029-02-14');
    i = i + 1;
  end

  i = 0;
  while (i < $n_man) do
  begin
    id = man_base + i;
    inn = '77' || lpad(mod(id * 15485863, 100000000), 8, '0');
    insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID, IS_PRODUCER)
      values (:id, 'Производитель сети ' || :i, 'АО «Завод сети № ' || :i || '»', :inn, '771001001', 2, 4, 1);
    i = i + 1;
  end

  /* one goods card for every kind and producer */
  goods_base = gen_id(SEQ_GOODS, $n_kinds * $n_man) - $n_kinds * $n_man + 1;
  i = 0;
  while (i < $n_kinds * $n_man) do
  begin
    k = mod(i, $n_kinds);
    insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID)
      values (:goods_base + :i, 'СЕТЬ-' || lpad(:i, 4, '0'), 'Товар сети ' || :i || ' 0,5 л', 1, 'шт', 0.5, 40,
              substring(:kinds from 1 + 3 * :k for 3), :man_base + :i / $n_kinds);
    i = i + 1;
  end

  rdb\$set_context('USER_SESSION', 'SUP', sup_base);
  rdb\$set_context('USER_SESSION', 'GOODS', goods_base);
end^
commit^
EOF

  # Documents of ten lines, one transaction per batch of lines.
  done_lines=0
  b=0
  while ((done_lines < n)); do
    lines=$((n - done_lines < batch ? n - done_lines : batch))
    cat <<EOF
execute block as
declare variable seed bigint = $((7000003 + 7919 * b));
declare variable made integer = 0;
declare variable nl integer;
declare variable k integer;
declare variable first_goods integer;
declare variable doc_id integer;
declare variable doc_no integer = $((b * batch / lines_per_doc));
declare variable doc_date date;
declare variable sup_base integer;
declare variable goods_base integer;
begin
  sup_base = rdb\$get_context('USER_SESSION', 'SUP');
  goods_base = rdb\$get_context('USER_SESSION', 'GOODS');
  while (made < $lines) do
  begin
    seed = mod(seed * 48271, 2147483647);
    doc_no = doc_no + 1;
    doc_date = date '2024-01-01' + mod(seed, 90);
    nl = minvalue($lines_per_doc, $lines - made);
    /* one in thirty documents a return to the supplier; places 2 and 4 are the two subdivisions */
    insert into DOCS (DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER)
      values (iif(mod(:seed / 90, 30) = 0, 2, 1), :doc_date, 'С-' || lpad(:doc_no, 7, '0'), 1,
              iif(mod(:seed / 2700, 2) = 0, 2, 4), :sup_base + mod(:seed / 5400, $n_sup), :doc_date,
              'ВХ-С' || :doc_no)
      returning ID into :doc_id;
    first_goods = mod(seed / 675000, $n_kinds * $n_man);
    k = 0;
    while (k < nl) do
    begin
      insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE)
        values (:doc_id, :goods_base + mod(:first_goods + 7 * :k, $n_kinds * $n_man), 1 + mod(:seed + :k, 60), 100);
      k = k + 1;
    end
    made = made + nl;
  end
end^
commit^
EOF
    done_lines=$((done_lines + lines))
    b=$((b + 1))
  done

  cat <<'EOF'
execute block as
declare variable idx varchar(63);
begin
  for select trim(RDB$INDEX_NAME) from RDB$INDICES where coalesce(RDB$SYSTEM_FLAG, 0) = 0 into :idx do
    execute statement 'set statistics index ' || idx;
end^
commit^
SET TERM ;^
EOF
} >"$work/fill.sql"

done_before=$(printf 'SET NAMES UTF8;\nCONNECT %s;\nSET HEADING OFF;\nselect count(*) from CLIENTS where NAME_CLIENTS starting with %s;\n' \
  "$(sql_quote "$db")" "'Поставщик сети'" | isql-fb -q | tr -d ' \n')
if [[ $done_before != 0 ]]; then
  echo "$db already holds a chain's quarter" >&2
  exit 1
fi

gfix -buffers 16384 "$db"
start=$(date +%s)
if ! isql-fb -q -b -i "$work/fill.sql" >"$work/log" 2>&1; then
  cat "$work/log" >&2
  echo "filling $db failed; make it anew with demo/make_demo_db.sh before trying again" >&2
  exit 1
fi
end=$(date +%s)
echo "$db: a chain's quarter of $n purchase lines added in $((end - start)) s"
