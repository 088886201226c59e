#!/usr/bin/env bash
# Adds generated documents to a database made by make_demo_db.sh: N document lines (1 000 to
# 1 000 000) dated in quarter 1 of 2024, for organization 1, spread over its subdivisions and over
# many generated suppliers, producers, goods, buyers and carriers, so that the declaration
# queries of that quarter have on the order of N rows to work through. Everything is generated
# inside the engine; the same N always gives the same data.
#   demo/fill_scale.sh DB_PATH N
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
[[ -f $db ]] || { echo "no database $db (make it with make_demo_db.sh)" >&2; exit 2; }
case $db in /*) ;; *) db="$PWD/$db" ;; esac
export ISC_USER=${ISC_USER:-SYSDBA}
export ISC_PASSWORD=${ISC_PASSWORD:-masterkey}

clamp() { local v=$(($1 / $2)); ((v < $3)) && v=$3; ((v > $4)) && v=$4; echo $v; }
n_sup=$(clamp "$n" 400 20 2500)      # suppliers of spirits and wine
n_bsup=$(clamp "$n" 2000 5 500)      # suppliers of beer
n_man=$(clamp "$n" 1000 10 1000)     # producers and importers
n_goods=$(clamp "$n" 50 50 20000)    # goods, about a third of them beer
n_buy=$(clamp "$n" 400 20 2500)      # wholesale buyers
n_car=$(clamp "$n" 20000 5 50)       # carriers, three vehicles each
batch=100000                         # lines per transaction

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sql_quote() { printf "'%s'" "${1//\'/\'\'}"; }

# @RND(x) draws the next number of the generator into x, 0 <= x < 1. The generator is the
# Park-Miller one, which stays within BIGINT.
expand() { sed -E 's/@RND\(([a-z0-9_]+)\)/seed = mod(seed * 48271, 2147483647); \1 = seed \/ 2147483647e0;/g'; }

{
  echo "SET NAMES UTF8;"
  echo "CONNECT $(sql_quote "$db");"
  echo "SET BAIL ON;"
  echo "SET TERM ^;"
  # Reference data: counterparties with addresses and licences, goods, two more storage places
  # per subdivision, opening balances (one line per goods, the batch every later line takes from).
  # The id ranges go to session context variables for the document batches.
  expand <<EOF
execute block as
declare variable seed bigint = 20240101;
declare variable r double precision;
declare variable i integer;
declare variable k integer;
declare variable id integer;
declare variable sup_base integer;
declare variable bsup_base integer;
declare variable man_base integer;
declare variable buy_base integer;
declare variable car_base integer;
declare variable goods_base integer;
declare variable veh_base integer;
declare variable open_base integer;
declare variable doc_id integer;
declare variable place_base integer;
declare variable kod varchar(3);
declare variable netto numeric(9,4);
declare variable beer smallint;
declare variable kinds_a varchar(40) = '200211212229400440';
declare variable kinds_b varchar(40) = '500500500510520260260260';
declare variable nettos varchar(60) = '0.250.500.700.751.001.500.500.50';
declare variable region varchar(2);
declare variable inn varchar(12);
begin
  sup_base = gen_id(SEQ_CLIENTS, $n_sup) - $n_sup + 1;
  bsup_base = gen_id(SEQ_CLIENTS, $n_bsup) - $n_bsup + 1;
  man_base = gen_id(SEQ_CLIENTS, $n_man) - $n_man + 1;
  buy_base = gen_id(SEQ_CLIENTS, $n_buy) - $n_buy + 1;
  car_base = gen_id(SEQ_CLIENTS, $n_car) - $n_car + 1;

  /* suppliers of spirits: legal entities with a wholesale licence, some renewed in February,
     one in twenty abroad */
  i = 0;
  while (i < $n_sup) do
  begin
    id = sup_base + i;
    @RND(r)
    region = substring('3677505261234816' from 1 + 2 * mod(i, 8) for 2);
    inn = region || lpad(mod(id * 7919, 100000000), 8, '0');
    if (r < 0.05) then
    begin
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
        values (:id, 'Генерир. поставщик (импорт) ' || :i, 'Импортная компания № ' || :i, '', '', 5, 3, '268', 1);
      insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
        values (:id, 0, '268', '0108', 'Тбилиси', 'г', 'Руставели', 'пр-кт', mod(:i, 90) + 1);
    end
    else
    begin
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
        values (:id, 'Генерир. поставщик ' || :i, 'ООО «Оптовик ' || :i || '»', :inn, substring(:inn from 1 for 4) || '01001', 1, 3, '643', iif(:r < 0.25, 1, 0));
      insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
        values (:id, 0, '643', lpad(mod(:id * 31, 999999), 6, '0'), :region, 'Город ' || mod(:i, 50), 'г', 'Складская', 'ул', mod(:i, 200) + 1);
      if (r < 0.2) then
      begin
        insert into CLIENT_LICENSES (CLIENT_ID, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
          values (:id, :region || 'ЗАП' || lpad(:id, 7, '0'), 'Федеральная служба по регулированию алкогольного рынка', 5, '2019-02-15', '2024-02-14');
        insert into CLIENT_LICENSES (CLIENT_ID, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
          values (:id, :region || 'ЗАП' || lpad(:id + 5000000, 7, '0'), 'Федеральная служба по регулированию алкогольного рынка', 5, '2024-02-01', '2029-01-31');
      end
      else
        insert into CLIENT_LICENSES (CLIENT_ID, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
          values (:id, :region || 'ЗАП' || lpad(:id, 7, '0'), 'Федеральная служба по регулированию алкогольного рынка', 5, '2021-06-01', '2026-05-31');
    end
    i = i + 1;
  end

  /* suppliers of beer, a fifth of them entrepreneurs; beer needs no licence */
  i = 0;
  while (i < $n_bsup) do
  begin
    id = bsup_base + i;
    inn = '36' || lpad(mod(id * 104729, 100000000), 8, '0');
    if (mod(i, 5) = 0) then
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID, IS_PRODUCER)
        values (:id, 'Генерир. ИП пивовар ' || :i, 'Пивоваров' || :i || ' Иван Петрович', :inn || '17', '', 4, 3, 1);
    else
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID)
        values (:id, 'Генерир. пивной опт ' || :i, 'ООО «Пивная база ' || :i || '»', :inn, '366601001', 1, 3);
    insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
      values (:id, 0, '643', '3940' || lpad(mod(:i, 99), 2, '0'), '36', 'Воронеж', 'г', 'Пивная', 'ул', mod(:i, 120) + 1);
    i = i + 1;
  end

  /* producers and importers; one in ten without a KPP (an entrepreneur) */
  i = 0;
  while (i < $n_man) do
  begin
    id = man_base + i;
    inn = '77' || lpad(mod(id * 15485863, 100000000), 8, '0');
    if (mod(i, 10) = 9) then
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID, IS_PRODUCER)
        values (:id, 'Генерир. ИП производитель ' || :i, 'Мастеров' || :i || ' Пётр Ильич', :inn || '44', '', 4, 4, 1);
    else
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID, IS_PRODUCER)
        values (:id, 'Генерир. производитель ' || :i, 'АО «Завод напитков № ' || :i || '»', :inn, '771001001', 2, 4, 1);
    insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
      values (:id, 0, '643', '1090' || lpad(mod(:i, 99), 2, '0'), '77', '', '', 'Заводская', 'ул', mod(:i, 300) + 1);
    i = i + 1;
  end

  /* wholesale buyers with retail licences; a few abroad */
  i = 0;
  while (i < $n_buy) do
  begin
    id = buy_base + i;
    inn = '36' || lpad(mod(id * 32452843, 100000000), 8, '0');
    if (mod(i, 33) = 7) then
    begin
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID, COUNTRY_KOD)
        values (:id, 'Генерир. покупатель (экспорт) ' || :i, 'ТОО «Торговый партнёр ' || :i || '»', '', '', 5, 5, '398');
      insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
        values (:id, 0, '398', '050000', 'Алматы', 'г', 'Сейфуллина', 'пр-кт', mod(:i, 500) + 1);
    end
    else
    begin
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID)
        values (:id, 'Генерир. покупатель ' || :i, 'ООО «Магазин ' || :i || '»', :inn, '366401001', 1, 5);
      insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
        values (:id, 0, '643', '3940' || lpad(mod(:i, 99), 2, '0'), '36', 'Воронеж', 'г', 'Торговая', 'ул', mod(:i, 250) + 1);
      insert into CLIENT_LICENSES (CLIENT_ID, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
        values (:id, '36РПА' || lpad(:id, 7, '0'), 'Министерство промышленности и торговли Воронежской области', 6, '2022-01-01', '2026-12-31');
    end
    i = i + 1;
  end

  /* carriers, three in ten entrepreneurs (no licence), each with three vehicles */
  veh_base = gen_id(SEQ_VEHICLES, 3 * $n_car) - 3 * $n_car + 1;
  i = 0;
  while (i < $n_car) do
  begin
    id = car_base + i;
    inn = '36' || lpad(mod(id * 49979687, 100000000), 8, '0');
    if (mod(i, 10) < 3) then
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID)
        values (:id, 'Генерир. ИП перевозчик ' || :i, 'Возилов' || :i || ' Семён Андреевич', :inn || '55', '', 4, 6);
    else
    begin
      insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, OWNKIND, GROUP_ID)
        values (:id, 'Генерир. перевозчик ' || :i, 'ООО «Автоперевозки ' || :i || '»', :inn, '366201001', 1, 6);
      insert into CLIENT_LICENSES (CLIENT_ID, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
        values (:id, '36ПЕР' || lpad(:id, 7, '0'), 'Федеральная служба по регулированию алкогольного рынка', 7, '2021-03-01', '2026-02-28');
    end
    insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
      values (:id, 0, '643', '394055', '36', 'Воронеж', 'г', 'Транспортная', 'ул', mod(:i, 80) + 1);
    k = 0;
    while (k < 3) do
    begin
      insert into VEHICLES (ID, CARRIER_ID, MODEL, REG_NUMBER, CAPACITY)
        values (:veh_base + 3 * :i + :k, :id,
                decode(:k, 0, 'ГАЗ-3302 фургон', 1, 'ИСУЗУ NQR 75 фургон', 'КАМАЗ-65117 полуприцеп'),
                'К' || lpad(mod(:id * 3 + :k, 1000), 3, '0') || 'АВ136', decode(:k, 0, 12, 1, 36.5, 82));
      k = k + 1;
    end
    i = i + 1;
  end

  /* goods: the first two thirds spirits and wine, the rest beer; one in a hundred cards without
     a volume; producer and kind from the classifier lists above */
  goods_base = gen_id(SEQ_GOODS, $n_goods) - $n_goods + 1;
  i = 0;
  while (i < $n_goods) do
  begin
    beer = iif(i >= $n_goods * 2 / 3, 1, 0);
    if (beer = 1) then kod = substring(kinds_b from 1 + 3 * mod(i, 8) for 3);
    else kod = substring(kinds_a from 1 + 3 * mod(i, 6) for 3);
    netto = cast(substring(nettos from 1 + 4 * mod(i * 7, 8) for 4) as numeric(9,4));
    if (mod(i, 100) = 42) then netto = null;
    insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID)
      values (:goods_base + :i, 'ГЕН-' || lpad(:i, 6, '0'),
              iif(:beer = 1, 'Пиво генерир. ', 'Напиток генерир. ') || :i || ' ' || coalesce(cast(:netto as varchar(12)), '?') || ' л',
              iif(:beer = 1, 3, 1), 'шт', :netto, iif(:beer = 1, 5, 40), :kod, :man_base + mod(:i * 13, $n_man));
    i = i + 1;
  end

  /* two more storage places in each subdivision of the company: a storeroom and a kiosk; the
     first kiosk is registered at the head office */
  place_base = gen_id(SEQ_PLACES, 6) - 5;
  insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (:place_base, 'Центральный: кладовая', 1, 1, null, 0);
  insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (:place_base + 1, 'Киоск «Вокзальный»', 1, 1, 1, 1);
  insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (:place_base + 2, 'Левобережный: склад № 2', 1, 2, null, 0);
  insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (:place_base + 3, 'Киоск «Заводской»', 1, 2, null, 1);
  insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (:place_base + 4, 'Рамонь: склад', 1, 3, null, 0);
  insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (:place_base + 5, 'Рамонь: киоск у причала', 1, 3, null, 1);

  /* opening balances: one line per goods at a warehouse, 100 lines per document */
  open_base = gen_id(SEQ_DOC_LINES, $n_goods) - $n_goods + 1;
  i = 0;
  while (i < $n_goods) do
  begin
    if (mod(i, 100) = 0) then
      insert into DOCS (DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID)
        values (10, '2023-12-31', 'ВО-Г' || lpad(:i / 100, 5, '0'), 1,
                decode(mod(:i / 100, 3), 0, 2, 1, 4, :place_base + 4),
                iif(:i >= $n_goods * 2 / 3, :bsup_base + mod(:i, $n_bsup), :sup_base + mod(:i, $n_sup)))
        returning ID into :doc_id;
    insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE)
      values (:open_base + :i, :doc_id, :goods_base + :i, 5000, 100);
    i = i + 1;
  end

  /* every tenth generated supplier is among those ticked for report 0 of user 0 */
  insert into SEL_CLIENTS (REPORT_ID, OWNER_ID, CLIENT_ID)
    select 0, 0, ID_CLIENTS from CLIENTS
     where ID_CLIENTS between :sup_base and :bsup_base + $n_bsup - 1 and mod(ID_CLIENTS, 10) = 0;

  rdb\$set_context('USER_SESSION', 'SUP', sup_base);
  rdb\$set_context('USER_SESSION', 'BSUP', bsup_base);
  rdb\$set_context('USER_SESSION', 'MAN', man_base);
  rdb\$set_context('USER_SESSION', 'BUY', buy_base);
  rdb\$set_context('USER_SESSION', 'CAR', car_base);
  rdb\$set_context('USER_SESSION', 'VEH', veh_base);
  rdb\$set_context('USER_SESSION', 'GOODS', goods_base);
  rdb\$set_context('USER_SESSION', 'OPEN', open_base);
  rdb\$set_context('USER_SESSION', 'PLACE', place_base);
end^
commit^
EOF

  # Documents, one transaction per batch of lines.
  done_lines=0
  b=0
  while ((done_lines < n)); do
    lines=$((n - done_lines < batch ? n - done_lines : batch))
    expand <<EOF
execute block as
declare variable seed bigint = $((1000003 + 7919 * b));
declare variable r double precision;
declare variable r2 double precision;
declare variable made integer = 0;
declare variable nl integer;
declare variable k integer;
declare variable doc_type integer;
declare variable doc_date date;
declare variable doc_id integer;
declare variable doc_no integer = $((b * batch));
declare variable place_id integer;
declare variable place_to integer;
declare variable client_id integer;
declare variable consignee_id integer;
declare variable transport_id integer;
declare variable last_transport integer;
declare variable last_transport_date date;
declare variable carrier integer;
declare variable beer smallint;
declare variable gi integer;
declare variable qty integer;
declare variable manuf_id integer;
declare variable vidprod varchar(3);
declare variable party integer;
declare variable sup_base integer;
declare variable bsup_base integer;
declare variable man_base integer;
declare variable buy_base integer;
declare variable car_base integer;
declare variable veh_base integer;
declare variable goods_base integer;
declare variable open_base integer;
declare variable place_base integer;
declare variable warehouses varchar(30);
declare variable shops varchar(30);
begin
  sup_base = rdb\$get_context('USER_SESSION', 'SUP');
  bsup_base = rdb\$get_context('USER_SESSION', 'BSUP');
  man_base = rdb\$get_context('USER_SESSION', 'MAN');
  buy_base = rdb\$get_context('USER_SESSION', 'BUY');
  car_base = rdb\$get_context('USER_SESSION', 'CAR');
  veh_base = rdb\$get_context('USER_SESSION', 'VEH');
  goods_base = rdb\$get_context('USER_SESSION', 'GOODS');
  open_base = rdb\$get_context('USER_SESSION', 'OPEN');
  place_base = rdb\$get_context('USER_SESSION', 'PLACE');
  /* warehouses and trading places of the company: 3-digit ids, packed */
  warehouses = lpad(2, 3, '0') || lpad(4, 3, '0') || lpad(place_base, 3, '0') || lpad(place_base + 2, 3, '0') || lpad(place_base + 4, 3, '0');
  shops = lpad(1, 3, '0') || lpad(3, 3, '0') || lpad(5, 3, '0') || lpad(6, 3, '0') || lpad(place_base + 1, 3, '0') || lpad(place_base + 3, 3, '0') || lpad(place_base + 5, 3, '0');

  while (made < $lines) do
  begin
    @RND(r)
    doc_type = case when r < 0.30 then 1 when r < 0.35 then 2 when r < 0.55 then 3
                    when r < 0.56 then 4 when r < 0.86 then 5 when r < 0.89 then 6
                    when r < 0.97 then 7 when r < 0.99 then 8 else 9 end;
    @RND(r)
    doc_date = date '2024-01-01' + cast(floor(r * 90) as integer);
    @RND(r)
    beer = iif(r < 0.35, 1, 0);
    @RND(r)
    nl = minvalue(1 + cast(floor(r * 4) as integer), $lines - made);
    @RND(r)
    @RND(r2)
    place_id = cast(substring(warehouses from 1 + 3 * cast(floor(r * 5) as integer) for 3) as integer);
    if (doc_type in (3, 4) or (doc_type in (1, 8, 9) and r2 < 0.3)) then
      place_id = cast(substring(shops from 1 + 3 * cast(floor(r2 * 7) as integer) for 3) as integer);
    place_to = null;
    client_id = null;
    consignee_id = null;
    transport_id = null;
    if (doc_type in (1, 2)) then
    begin
      @RND(r)
      client_id = iif(beer = 1, bsup_base + cast(floor(r * $n_bsup) as integer), sup_base + cast(floor(r * $n_sup) as integer));
    end
    else if (doc_type in (5, 6)) then
    begin
      @RND(r)
      client_id = buy_base + cast(floor(r * $n_buy) as integer);
      @RND(r)
      if (doc_type = 5 and r < 0.1) then consignee_id = buy_base + cast(floor(r * 10 * $n_buy) as integer);
    end
    else if (doc_type in (3, 4)) then
      client_id = 50;
    else if (doc_type = 7) then
    begin
      @RND(r)
      place_to = cast(substring(shops from 1 + 3 * cast(floor(r * 7) as integer) for 3) as integer);
    end

    /* consignments go by hired transport: most deliveries, half the transfers, some returns and
       purchases; a third of them share the waybill of the day's previous trip */
    @RND(r)
    if ((doc_type = 5 and r < 0.8) or (doc_type = 7 and r < 0.5) or (doc_type = 2 and r < 0.3)
        or (doc_type = 1 and r < 0.1)) then
    begin
      @RND(r)
      if (r < 0.33 and last_transport_date = doc_date) then
        transport_id = last_transport;
      else
      begin
        @RND(r)
        carrier = cast(floor(r * $n_car) as integer);
        @RND(r)
        insert into TRANSPORTS (TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD)
          values (:doc_date, 'ТН-' || (:doc_no + 1), :car_base + :carrier,
                  :veh_base + 3 * :carrier + cast(floor(:r * 3) as integer), '1')
          returning ID into :transport_id;
        last_transport = transport_id;
        last_transport_date = doc_date;
      end
    end

    doc_no = doc_no + 1;
    @RND(r)
    insert into DOCS (DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID, CLIENT_ID,
                      CONSIGNEE_ID, EXT_DOC_DATE, EXT_DOC_NUMBER, TRANSPORT_ID)
      values (:doc_type, :doc_date, 'Г-' || lpad(:doc_no, 7, '0'), 1, :place_id, :place_to,
              :client_id, :consignee_id,
              iif(:doc_type = 1, :doc_date - cast(floor(:r * 3) as integer), null),
              iif(:doc_type = 1, 'ВХ-' || cast(floor(:r * 1000000) as integer), ''), :transport_id)
      returning ID into :doc_id;

    k = 0;
    while (k < nl) do
    begin
      @RND(r)
      gi = iif(beer = 1, $n_goods * 2 / 3 + cast(floor(r * ($n_goods - $n_goods * 2 / 3)) as integer),
               cast(floor(r * ($n_goods * 2 / 3)) as integer));
      @RND(r)
      qty = 1 + cast(floor(r * 60) as integer);
      manuf_id = null;
      vidprod = null;
      party = null;
      @RND(r)
      if (doc_type = 1 and r < 0.1) then manuf_id = man_base + cast(floor(r * 10 * $n_man) as integer);
      if (doc_type = 1 and r > 0.95) then vidprod = iif(beer = 1, '520', '212');
      if (doc_type not in (1, 9)) then party = open_base + gi;
      insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, MANUF_ID, VIDPROD_KOD, PARTY_ID)
        values (:doc_id, :goods_base + :gi, :qty, 100, :manuf_id, :vidprod, :party);
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

  # Fresh index statistics, so that the optimizer sees the new volume.
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

# Generated counterparties carry a marker in their working name; a second run would only
# duplicate the volume under the same document numbers, so it is refused.
done_before=$(printf 'SET NAMES UTF8;\nCONNECT %s;\nSET HEADING OFF;\nselect count(*) from CLIENTS where NAME_CLIENTS starting with %s;\n' \
  "$(sql_quote "$db")" "'Генерир.'" | isql-fb -q | tr -d ' \n')
if [[ $done_before != 0 ]]; then
  echo "$db already holds generated documents" >&2
  exit 1
fi

# A database of this size wants a bigger page cache than the engine's default of 2048 pages,
# for the filling as much as for the declaration queries; the setting stays in the database.
gfix -buffers 16384 "$db"

start=$(date +%s)
if ! isql-fb -q -b -i "$work/fill.sql" >"$work/log" 2>&1; then
  cat "$work/log" >&2
  echo "filling $db failed; make it anew with make_demo_db.sh before trying again" >&2
  exit 1
fi
end=$(date +%s)

echo "$db: $n document lines of quarter 1 of 2024 added in $((end - start)) s"
