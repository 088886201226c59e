SET NAMES UTF8;
/*
  Demo accounting database of the host: the trading company's reference books (clients, licences,
  addresses, goods, storage places), its stock documents and transport, and the objects the
  declaration modules read: CLIENTS, OWNKIND, CLIENT_LIC_VIEW, GET_ADDRESS_KLADR and REPORT_SQL.

  Stock model in short. Every stock change is a line of a posted document (DOCS.STATUS = 1). The
  document type says whether the line adds to or takes from the storage place of the document;
  a transfer takes from PLACE_ID and adds to PLACE_TO_ID. Quantities are kept in the goods' own
  units (bottles, litres); GOODS.NETTO is the volume of one unit in litres, so a line's volume in
  decalitres is QUANTITY * NETTO / 10. Every line that takes goods out names the receipt line the
  goods came from (PARTY_ID, batch accounting); a receipt line is its own batch.
*/

/* ---------- reference books ---------- */

create table OWNKIND (
  ID          integer not null primary key,
  NAME        varchar(100) not null,
  SHORT_NAME  varchar(20) not null,
  IS_IP       smallint default 0 not null       /* 1: individual entrepreneur */
);

create table COUNTRIES (
  KOD   varchar(3) not null primary key,       /* OKSM code as the client card keeps it */
  NAME  varchar(100) not null
);

create table REGIONS (
  KOD   varchar(2) not null primary key,
  NAME  varchar(100) not null                  /* KLADR style: name, then its type */
);

create table CLIENT_GROUPS (
  ID    integer not null primary key,
  NAME  varchar(100) not null
);

create table CLIENTS (
  ID_CLIENTS    integer not null primary key,
  NAME_CLIENTS  varchar(250) not null,         /* working name shown in lists */
  LEGAL_NAME    varchar(250) default '' not null, /* full legal name; an entrepreneur's full name */
  INN_CLIENTS   varchar(12) default '' not null,
  KPP           varchar(9) default '' not null,
  TEL_CLIENTS   varchar(50) default '' not null,
  OWNKIND       integer references OWNKIND (ID),
  GROUP_ID      integer references CLIENT_GROUPS (ID),
  PARENT_ID     integer references CLIENTS (ID_CLIENTS), /* the legal entity of a subdivision */
  COUNTRY_KOD   varchar(3) default '643' not null references COUNTRIES (KOD),
  IS_PRODUCER   smallint default 0 not null,   /* produces alcohol itself */
  IS_OUR        smallint default 0 not null,   /* one of the host's own organizations */
  EMAIL         varchar(100) default '' not null,
  COMMENTS      varchar(500) default '' not null
);

create table LIC_SFERA (
  KOD   integer not null primary key,
  NAME  varchar(250) not null
);

create table CLIENT_LICENSES (
  ID          integer not null primary key,
  CLIENT_ID   integer not null references CLIENTS (ID_CLIENTS),
  SERIES      varchar(20) default '' not null,
  NUMBER_LIC  varchar(30) default '' not null,
  REG_NUMBER  varchar(100) not null,
  ORGAN       varchar(250) not null,
  SFERA_KOD   integer not null references LIC_SFERA (KOD),
  DATE_BEGIN  date not null,
  DATE_END    date,                            /* null: open-ended */
  DATE_STOP   date                             /* stopped early by the authority from this day */
);

/* KIND 0 legal address, 1 actual address. Names and their types are kept apart, as in KLADR. */
create table CLIENT_ADDRESSES (
  ID              integer not null primary key,
  CLIENT_ID       integer not null references CLIENTS (ID_CLIENTS),
  KIND            smallint default 0 not null,
  COUNTRY_KOD     varchar(3) default '643' not null references COUNTRIES (KOD),
  POST_INDEX      varchar(6) default '' not null,
  REGION_KOD      varchar(2) references REGIONS (KOD),
  DISTRICT_NAME   varchar(100) default '' not null,
  DISTRICT_SOCR   varchar(10) default '' not null,
  CITY_NAME       varchar(100) default '' not null,
  CITY_SOCR       varchar(10) default '' not null,
  NAS_PUNKT       varchar(100) default '' not null,
  NAS_PUNKT_SOCR  varchar(10) default '' not null,
  STREET_NAME     varchar(100) default '' not null,
  STREET_SOCR     varchar(10) default '' not null,
  HOUSE           varchar(20) default '' not null,
  BUILDING        varchar(20) default '' not null,
  APPARTMENT      varchar(20) default '' not null
);

/* Product kinds of the regulator's classifier. BEER_FORM 1: declared with beer (form 12). */
create table VIDPROD (
  KOD        varchar(3) not null primary key,
  NAME       varchar(250) not null,
  BEER_FORM  smallint default 0 not null
);

create table GOODS_GROUPS (
  ID    integer not null primary key,
  NAME  varchar(100) not null
);

create table GOODS (
  ID           integer not null primary key,
  ARTICUL      varchar(30) default '' not null,
  NAME         varchar(250) not null,
  GROUP_ID     integer references GOODS_GROUPS (ID),
  UNIT         varchar(10) default 'шт' not null,
  NETTO        numeric(9,4),                   /* litres in one unit; null or 0 when not filled in */
  ALCOHOL      numeric(5,2),                   /* strength, % vol. */
  VIDPROD_KOD  varchar(3) references VIDPROD (KOD), /* null: not an alcoholic product */
  MANUF_ID     integer references CLIENTS (ID_CLIENTS) /* producer or importer */
);

/* Storage places. A place belongs to one organization and usually to a group of places; the
   group, or the place itself, names the separate subdivision (a client card with its own KPP and
   address) under which its stock is declared. */
create table STORE_GROUPS (
  ID         integer not null primary key,
  NAME       varchar(100) not null,
  ORG_ID     integer not null references CLIENTS (ID_CLIENTS),
  CLIENT_ID  integer references CLIENTS (ID_CLIENTS)
);

create table STORE_PLACES (
  ID         integer not null primary key,
  NAME       varchar(100) not null,
  ORG_ID     integer not null references CLIENTS (ID_CLIENTS),
  GROUP_ID   integer references STORE_GROUPS (ID),
  CLIENT_ID  integer references CLIENTS (ID_CLIENTS),
  IS_RETAIL  smallint default 0 not null
);

/* ---------- documents ---------- */

/* DIRECTION: +1 adds to the document's place, -1 takes from it, 0 moves no stock by itself
   (a transfer moves between two places; an invoice moves nothing). */
create table DOC_TYPES (
  ID           integer not null primary key,
  NAME         varchar(100) not null,
  PREFIX       varchar(5) not null,
  DIRECTION    smallint not null,
  IS_TRANSFER  smallint default 0 not null
);

create table VIDTRANS (
  KOD   varchar(2) not null primary key,
  NAME  varchar(100) not null
);

create table VEHICLES (
  ID          integer not null primary key,
  CARRIER_ID  integer not null references CLIENTS (ID_CLIENTS),
  MODEL       varchar(100) not null,
  REG_NUMBER  varchar(20) not null,
  CAPACITY    double precision                 /* body volume, cubic metres */
);

/* A waybill of a carrier's vehicle; several consignment notes (documents) may travel on it. */
create table TRANSPORTS (
  ID            integer not null primary key,
  TN_DATE       date not null,
  TN_NUMBER     varchar(30) not null,
  CARRIER_ID    integer not null references CLIENTS (ID_CLIENTS),
  VEHICLE_ID    integer not null references VEHICLES (ID),
  VIDTRANS_KOD  varchar(2) default '1' not null references VIDTRANS (KOD),
  DRIVER_NAME   varchar(100) default '' not null
);

create table DOCS (
  ID              integer not null primary key,
  DOC_TYPE        integer not null references DOC_TYPES (ID),
  DOC_DATE        date not null,
  DOC_NUMBER      varchar(30) not null,
  ORG_ID          integer not null references CLIENTS (ID_CLIENTS), /* acting on behalf of */
  PLACE_ID        integer references STORE_PLACES (ID),
  PLACE_TO_ID     integer references STORE_PLACES (ID),       /* transfers only */
  CLIENT_ID       integer references CLIENTS (ID_CLIENTS),    /* supplier, buyer */
  CONSIGNEE_ID    integer references CLIENTS (ID_CLIENTS),    /* receiver, when not the buyer */
  EXT_DOC_DATE    date,                                       /* the supplier's own document */
  EXT_DOC_NUMBER  varchar(30) default '' not null,
  TRANSPORT_ID    integer references TRANSPORTS (ID),
  STATUS          smallint default 1 not null,                /* 1 posted, 0 draft */
  COMMENTS        varchar(250) default '' not null
);

create table DOC_LINES (
  ID           integer not null primary key,
  DOC_ID       integer not null references DOCS (ID),
  GOODS_ID     integer not null references GOODS (ID),
  QUANTITY     numeric(15,3) not null,
  PRICE        numeric(15,2) default 0 not null,
  MANUF_ID     integer references CLIENTS (ID_CLIENTS),  /* producer named by the document */
  VIDPROD_KOD  varchar(3) references VIDPROD (KOD),      /* product kind named by the document */
  PARTY_ID     integer references DOC_LINES (ID)         /* receipt line the goods came from */
);

create index DOCS_DATE on DOCS (DOC_DATE);

/* The report window's client selection: the suppliers ticked for a report by a user. */
create table SEL_CLIENTS (
  REPORT_ID  integer not null,
  OWNER_ID   integer not null,
  CLIENT_ID  integer not null references CLIENTS (ID_CLIENTS),
  constraint PK_SEL_CLIENTS primary key (REPORT_ID, OWNER_ID, CLIENT_ID)
);

/* The host's stored SQL texts, one per key. */
create table REPORT_SQL (
  SQL_KEY   varchar(100) not null primary key,
  SQL_TEXT  blob sub_type text
);

/* ---------- identifiers ---------- */

create sequence SEQ_CLIENTS;
create sequence SEQ_LICENSES;
create sequence SEQ_ADDRESSES;
create sequence SEQ_GOODS;
create sequence SEQ_PLACES;
create sequence SEQ_VEHICLES;
create sequence SEQ_TRANSPORTS;
create sequence SEQ_DOCS;
create sequence SEQ_DOC_LINES;

set term ^;

create trigger CLIENTS_BI for CLIENTS before insert as
begin
  if (new.ID_CLIENTS is null) then new.ID_CLIENTS = next value for SEQ_CLIENTS;
end^

create trigger CLIENT_LICENSES_BI for CLIENT_LICENSES before insert as
begin
  if (new.ID is null) then new.ID = next value for SEQ_LICENSES;
end^

create trigger CLIENT_ADDRESSES_BI for CLIENT_ADDRESSES before insert as
begin
  if (new.ID is null) then new.ID = next value for SEQ_ADDRESSES;
end^

create trigger GOODS_BI for GOODS before insert as
begin
  if (new.ID is null) then new.ID = next value for SEQ_GOODS;
end^

create trigger STORE_PLACES_BI for STORE_PLACES before insert as
begin
  if (new.ID is null) then new.ID = next value for SEQ_PLACES;
end^

create trigger VEHICLES_BI for VEHICLES before insert as
begin
  if (new.ID is null) then new.ID = next value for SEQ_VEHICLES;
end^

create trigger TRANSPORTS_BI for TRANSPORTS before insert as
begin
  if (new.ID is null) then new.ID = next value for SEQ_TRANSPORTS;
end^

create trigger DOCS_BI for DOCS before insert as
begin
  if (new.ID is null) then new.ID = next value for SEQ_DOCS;
end^

create trigger DOC_LINES_BI for DOC_LINES before insert as
begin
  if (new.ID is null) then new.ID = next value for SEQ_DOC_LINES;
end^

/* ---------- addresses and licences as the declaration modules see them ---------- */

/* House number as the regulator wants it: operators sometimes type the "д." prefix themselves. */
create function CLEAR_HOUSE (HOUSE varchar(20)) returns varchar(20)
as
declare variable h varchar(20);
begin
  h = trim(coalesce(HOUSE, ''));
  if (upper(h) starting with 'ДОМ ') then h = trim(substring(h from 5));
  else if (upper(h) starting with 'Д.') then h = trim(substring(h from 3));
  else if (upper(h) starting with 'Д ') then h = trim(substring(h from 3));
  return h;
end^

/* One row for every client id, also for an unknown one: the client's address of the asked kind,
   else its other address, else empty texts (the country then comes from the client card).
   Names carry their KLADR type after them ("Воронеж г"); CITY_CLEAR and HOUSE_CLEAR are the bare
   city name and house number; ADDRESS is the whole address on one line, cut to the 255
   characters a text column of the declaration work tables holds. */
create procedure CLIENT_ADDRESS (KIND integer, CLIENT_ID integer)
returns (
  COUNTRY_KOD    varchar(3),
  POST_INDEX     varchar(6),
  REGION_KOD     varchar(2),
  DISTRICT_NAME  varchar(111),
  CITY_NAME      varchar(111),
  CITY_CLEAR     varchar(100),
  NAS_PUNKT      varchar(111),
  STREET_NAME    varchar(111),
  HOUSE          varchar(20),
  HOUSE_CLEAR    varchar(20),
  BUILDING       varchar(20),
  APPARTMENT     varchar(20),
  ADDRESS        varchar(255))
as
declare variable addr_id integer;
declare variable region_name varchar(100);
declare variable country_name varchar(100);
declare variable full_text varchar(1000);
begin
  COUNTRY_KOD = ''; POST_INDEX = ''; REGION_KOD = ''; DISTRICT_NAME = ''; CITY_NAME = '';
  CITY_CLEAR = ''; NAS_PUNKT = ''; STREET_NAME = ''; HOUSE = ''; HOUSE_CLEAR = '';
  BUILDING = ''; APPARTMENT = ''; ADDRESS = '';

  select first 1 a.ID
    from CLIENT_ADDRESSES a
    where a.CLIENT_ID = :CLIENT_ID
    order by iif(a.KIND = :KIND, 0, 1), a.KIND, a.ID
    into :addr_id;

  if (addr_id is null) then
  begin
    select c.COUNTRY_KOD from CLIENTS c where c.ID_CLIENTS = :CLIENT_ID into :COUNTRY_KOD;
    COUNTRY_KOD = coalesce(COUNTRY_KOD, '');
    suspend;
    exit;
  end

  select a.COUNTRY_KOD, a.POST_INDEX, coalesce(a.REGION_KOD, ''),
         trim(a.DISTRICT_NAME || ' ' || a.DISTRICT_SOCR),
         trim(a.CITY_NAME || ' ' || a.CITY_SOCR), trim(a.CITY_NAME),
         trim(a.NAS_PUNKT || ' ' || a.NAS_PUNKT_SOCR),
         trim(a.STREET_NAME || ' ' || a.STREET_SOCR),
         trim(a.HOUSE), CLEAR_HOUSE(a.HOUSE), trim(a.BUILDING), trim(a.APPARTMENT),
         coalesce(r.NAME, ''), coalesce(k.NAME, '')
    from CLIENT_ADDRESSES a
    left join REGIONS r on r.KOD = a.REGION_KOD
    left join COUNTRIES k on k.KOD = a.COUNTRY_KOD
    where a.ID = :addr_id
    into :COUNTRY_KOD, :POST_INDEX, :REGION_KOD, :DISTRICT_NAME, :CITY_NAME, :CITY_CLEAR,
         :NAS_PUNKT, :STREET_NAME, :HOUSE, :HOUSE_CLEAR, :BUILDING, :APPARTMENT,
         :region_name, :country_name;

  /* foreign addresses name their country; Russian ones their region */
  full_text = POST_INDEX;
  if (COUNTRY_KOD <> '643' and country_name <> '') then
    full_text = full_text || iif(full_text = '', '', ', ') || country_name;
  if (region_name <> '') then full_text = full_text || iif(full_text = '', '', ', ') || region_name;
  if (DISTRICT_NAME <> '') then full_text = full_text || iif(full_text = '', '', ', ') || DISTRICT_NAME;
  if (CITY_NAME <> '') then full_text = full_text || iif(full_text = '', '', ', ') || CITY_NAME;
  if (NAS_PUNKT <> '') then full_text = full_text || iif(full_text = '', '', ', ') || NAS_PUNKT;
  if (STREET_NAME <> '') then full_text = full_text || iif(full_text = '', '', ', ') || STREET_NAME;
  if (HOUSE_CLEAR <> '') then full_text = full_text || iif(full_text = '', '', ', ') || 'д. ' || HOUSE_CLEAR;
  if (BUILDING <> '') then full_text = full_text || iif(full_text = '', '', ', ') || 'корп. ' || BUILDING;
  if (APPARTMENT <> '') then full_text = full_text || iif(full_text = '', '', ', ') || 'оф. ' || APPARTMENT;
  ADDRESS = substring(full_text from 1 for 255);
  suspend;
end^

create procedure GET_ADDRESS_KLADR (KIND integer, CLIENT_ID integer)
returns (
  COUNTRY_KOD    varchar(3),
  POST_INDEX     varchar(6),
  REGION_KOD     varchar(2),
  DISTRICT_NAME  varchar(111),
  CITY_NAME      varchar(111),
  NAS_PUNKT      varchar(111),
  STREET_NAME    varchar(111),
  HOUSE          varchar(20),
  BUILDING       varchar(20),
  APPARTMENT     varchar(20),
  ADDRESS        varchar(255))
as
begin
  for select a.COUNTRY_KOD, a.POST_INDEX, a.REGION_KOD, a.DISTRICT_NAME, a.CITY_NAME,
             a.NAS_PUNKT, a.STREET_NAME, a.HOUSE, a.BUILDING, a.APPARTMENT, a.ADDRESS
        from CLIENT_ADDRESS(:KIND, :CLIENT_ID) a
        into :COUNTRY_KOD, :POST_INDEX, :REGION_KOD, :DISTRICT_NAME, :CITY_NAME,
             :NAS_PUNKT, :STREET_NAME, :HOUSE, :BUILDING, :APPARTMENT, :ADDRESS
  do suspend;
end^

/* The licence in force on the day: begun, not ended, not stopped. When a renewed licence overlaps
   the old one, the newer one counts. */
create procedure CLIENT_LIC_VIEW (CLIENT_ID integer, ON_DATE date)
returns (
  LIC_SERIES      varchar(20),
  LIC_NUMBER      varchar(30),
  LIC_REG_NUMBER  varchar(100),
  LIC_ORGAN       varchar(250),
  LIC_SFERA_NAME  varchar(250),
  LIC_DATE        date,
  LIC_GOODDATE    date,
  LIC_SFERA_KOD   integer)
as
begin
  for select first 1 l.SERIES, l.NUMBER_LIC, l.REG_NUMBER, l.ORGAN, s.NAME,
             l.DATE_BEGIN, l.DATE_END, l.SFERA_KOD
        from CLIENT_LICENSES l
        join LIC_SFERA s on s.KOD = l.SFERA_KOD
        where l.CLIENT_ID = :CLIENT_ID
          and l.DATE_BEGIN <= :ON_DATE
          and (l.DATE_END is null or l.DATE_END >= :ON_DATE)
          and (l.DATE_STOP is null or l.DATE_STOP > :ON_DATE)
        order by l.DATE_BEGIN desc, l.ID desc
        into :LIC_SERIES, :LIC_NUMBER, :LIC_REG_NUMBER, :LIC_ORGAN, :LIC_SFERA_NAME,
             :LIC_DATE, :LIC_GOODDATE, :LIC_SFERA_KOD
  do suspend;
end^

set term ;^

/* ---------- views used by the stored report texts ---------- */

/* The separate subdivision of every storage place, both ways: by the place's own card first
   (SUB_OWN) or by its group's card first (SUB_GROUP); the organization itself when neither
   names one. */
create view V_PLACE_SUBDIV (PLACE_ID, ORG_ID, SUB_OWN, SUB_GROUP) as
select p.ID, p.ORG_ID,
       coalesce(p.CLIENT_ID, g.CLIENT_ID, p.ORG_ID),
       coalesce(g.CLIENT_ID, p.CLIENT_ID, p.ORG_ID)
  from STORE_PLACES p
  left join STORE_GROUPS g on g.ID = p.GROUP_ID;

/* Every stock change of a posted document line at one storage place, with the batch it belongs
   to. A transfer gives two rows: out of PLACE_ID and into PLACE_TO_ID, each naming the other
   place as PEER_PLACE_ID. QUANTITY is always positive; DIRECTION gives the sign. */
create view V_STOCK_MOVES (LINE_ID, DOC_ID, DOC_TYPE, DOC_DATE, ORG_ID, PLACE_ID, PEER_PLACE_ID,
                           DIRECTION, CLIENT_ID, GOODS_ID, QUANTITY, LINE_MANUF_ID,
                           LINE_VIDPROD_KOD, PARTY_LINE_ID) as
select l.ID, d.ID, d.DOC_TYPE, d.DOC_DATE, d.ORG_ID, d.PLACE_ID, cast(null as integer),
       t.DIRECTION, d.CLIENT_ID, l.GOODS_ID, l.QUANTITY, l.MANUF_ID, l.VIDPROD_KOD,
       coalesce(l.PARTY_ID, l.ID)
  from DOCS d
  join DOC_TYPES t on t.ID = d.DOC_TYPE
  join DOC_LINES l on l.DOC_ID = d.ID
  where d.STATUS = 1 and t.IS_TRANSFER = 0 and t.DIRECTION <> 0
union all
select l.ID, d.ID, d.DOC_TYPE, d.DOC_DATE, d.ORG_ID, d.PLACE_ID, d.PLACE_TO_ID,
       -1, d.CLIENT_ID, l.GOODS_ID, l.QUANTITY, l.MANUF_ID, l.VIDPROD_KOD,
       coalesce(l.PARTY_ID, l.ID)
  from DOCS d
  join DOC_TYPES t on t.ID = d.DOC_TYPE
  join DOC_LINES l on l.DOC_ID = d.ID
  where d.STATUS = 1 and t.IS_TRANSFER = 1
union all
select l.ID, d.ID, d.DOC_TYPE, d.DOC_DATE, d.ORG_ID, d.PLACE_TO_ID, d.PLACE_ID,
       1, d.CLIENT_ID, l.GOODS_ID, l.QUANTITY, l.MANUF_ID, l.VIDPROD_KOD,
       coalesce(l.PARTY_ID, l.ID)
  from DOCS d
  join DOC_TYPES t on t.ID = d.DOC_TYPE
  join DOC_LINES l on l.DOC_ID = d.ID
  where d.STATUS = 1 and t.IS_TRANSFER = 1;

commit;
