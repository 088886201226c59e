/* Mistakes planted into the demo data, for showing what the checks before filing find. */
SET NAMES UTF8;
/*
  Applied on top of schema.sql and data.sql (make_planted_db.sh), never to the plain demo. Every
  mistake below is one a host's operators make, each in one place with what the checks of quarter 1
  of 2024 say about it: the wholesaler's (client 1) forms 08, 07, 06 and 05 and the retailer's
  (client 30) forms 11 and 12. A card's mistake shows on every form that names the card; where that
  is more than one form, the comment says so.
*/

/* ---------- what the mistakes need: bottled spirit, a second carrier, a sixth transport kind ---------- */

insert into VIDPROD (KOD, NAME, BEER_FORM) values ('010', 'Спирт этиловый ректификованный из пищевого сырья', 0);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID)
  values (120, 'СП-0105', 'Спирт этиловый ректификованный «Люкс» 96% 0,5 л', 1, 'шт', 0.5, 96, '010', 20);

insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD)
  values (42, 'Спецтранс', 'ООО «Спецтранс»', '3662105434', '366201001', '+7 (473) 244-42-42', 1, 6, '643');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (42, 0, '643', '394028', '36', 'Воронеж', 'г', 'Базовая', 'ул', '6');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (42, '', '', '36ПЕР0000112', 'Федеральная служба по регулированию алкогольного рынка', 7, '2019-03-01', '2024-02-29');
insert into VEHICLES (ID, CARRIER_ID, MODEL, REG_NUMBER, CAPACITY) values (4, 42, 'ГАЗ-A21R32 «ГАЗель Next» фургон', 'О512ТТ136', 13.5);

insert into VIDTRANS (KOD, NAME) values ('6', 'Смешанный (автомобильный и железнодорожный)');

/* ---------- form 08, the wholesaler ---------- */

/* counterparty-licence-missing: the spirit came on a waybill of the entrepreneur Kuznetsov, who
   holds no licence; a carrier of ethyl alcohol must. (Forms 07 and 05 take the purchase as it is.) */
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME)
  values (17, '2024-01-29', '9', 40, 3, '1', 'Кузнецов С.А.');
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER, TRANSPORT_ID)
  values (140, 1, '2024-01-29', 'ПН-000011', 1, 4, 10, '2024-01-26', '4633', 17);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (2001, 140, 120, 240, 210);

/* counterparty-licence-period: the delivery of 4 March went on the carrier's waybill of
   28 February, the last day but one of its licence; on the document's day the licence had run out. */
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME)
  values (18, '2024-02-28', 'СТ-000212', 42, 4, '1', 'Морозов Д.В.');
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID)
  values (141, 5, '2024-03-04', 'РН-000046', 1, 4, 32, 18);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (141, 120, 48, 260, 2001);

/* waybill-date: the export waybill of 27 February 2024 was entered with the year 2023 */
update TRANSPORTS set TN_DATE = '2023-02-27' where ID = 4;

/* transport-kind: the transfer of 2 February went on a waybill of the host's sixth kind, which
   the format has no code for */
update TRANSPORTS set VIDTRANS_KOD = '6' where ID = 1;

/* ---------- form 07, the wholesaler ---------- */

/* document-date: the Voronezh plant's note for the purchase of 10 January is dated 28 December
   (shipped before the holidays): the purchase is the quarter's, the supplier's document is not */
update DOCS set EXT_DOC_DATE = '2023-12-28' where ID = 10;

/* kpp-shape: Алко-Трейд's KPP was typed with the Cyrillic letter О for its sixth digit, a zero
   (the file's KPP then fails the form's schema as well) */
update CLIENTS set KPP = '36650О001' where ID_CLIENTS = 11;

/* empty-line: Алко-Трейд's note of 6 February lists sparkling wine that never came; the line was
   kept with no quantity (form 05 shows the subdivision's empty row of the sparkling wine too) */
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE) values (13, 110, 0, 520);

/* ---------- form 06, the wholesaler ---------- */

/* counterparty-licence-missing: the café's licence was entered as begun in 2024 instead of 2022,
   so none is in force on its deliveries of January and March */
update CLIENT_LICENSES set DATE_BEGIN = '2024-11-15' where REG_NUMBER = '36РПА0004477';

/* same-inn-kpp: a new operator made a second card of the café, numbers, address and licence
   copied, and sold to it under that card */
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD)
  values (35, 'Кафе Встреча', 'ООО «Кафе «Встреча»»', '3664173020', '366401001', '+7 (473) 233-44-55', 1, 5, '643');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (35, 0, '643', '394087', '36', 'Воронеж', 'г', 'Ломоносова', 'ул', '114');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (35, '', '', '36РПА0004477', 'Министерство промышленности и торговли Воронежской области', 6, '2022-11-15', '2027-11-14');
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS)
  values (142, 5, '2024-03-12', 'РН-000047', 1, 4, 35, 'Самовывоз');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (142, 101, 12, 389, 1009);

/* inn-check-digit: the restaurant's INN has its last digit mistyped (form 08 names the
   restaurant as a receiver and says so too) */
update CLIENTS set INN_CLIENTS = '3663107757' where ID_CLIENTS = 32;

/* ---------- form 05, the wholesaler ---------- */

/* number-limits: an opened tasting bottle of wine was written off as a third of a bottle; its
   0.024975 decalitres have six decimals, which the page's precision of 7 keeps and the format
   refuses (the file's figures then fail the form's schema as well) */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, COMMENTS)
  values (143, 8, '2024-03-29', 'СП-000003', 1, 1, 'Дегустация');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (143, 108, 0.333, 1141);

/* ---------- form 11, the retailer ---------- */

/* organization-licence-expired: the retailer's licence was entered as ending on 29 March 2024
   instead of 9 March 2026; the host looks up only a licence in force, so the check finds none at
   the quarter's end, and the file's placeholders fail the form's schema */
update CLIENT_LICENSES set DATE_END = '2024-03-29' where REG_NUMBER = '36РПА0005555';

/* product-kind: the store took six bottles of the wholesaler's bottled spirit, a kind that
   form 11 does not take (both sides entered: the wholesaler's delivery, the store's receipt) */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, CONSIGNEE_ID, COMMENTS)
  values (144, 5, '2024-03-20', 'РН-000050', 1, 4, 30, 31, 'Самовывоз');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (144, 120, 6, 260, 2001);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER)
  values (210, 1, '2024-03-21', 'ПН-000018', 30, 8, 1, '2024-03-20', 'РН-000050');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3071, 210, 120, 6, 260);

/* negative-closing: the store's sales report of 24 March counts 42 bottles of «Белая берёза»
   instead of 2, which leaves the store's balance below zero */
update DOC_LINES set QUANTITY = 42
 where GOODS_ID = 103
   and DOC_ID = (select ID from DOCS where ORG_ID = 30 and DOC_NUMBER = 'РП-000048');

/* ---------- form 12, the retailer ---------- */

/* kpp-missing: the beer wholesaler's KPP was cleared (the file's zeros then fail the form's
   schema as well) */
update CLIENTS set KPP = '' where ID_CLIENTS = 12;

/* document-date: the brewer's note of 13 February 2024 was entered with the year 2023 */
update DOCS set EXT_DOC_DATE = '2023-02-13' where ID = 205;

/* inn-check-digit: two digits of the Chernozem brewery's INN were swapped */
update CLIENTS set INN_CLIENTS = '4824001792' where ID_CLIENTS = 22;

/* empty-line: the beer wholesaler's note of 16 January lists a beer drink that was out of stock;
   the line was kept with no quantity (the store's turnover then has an empty row of it too) */
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE) values (204, 203, 0, 58);

commit;
