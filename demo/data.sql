SET NAMES UTF8;
/*
  Demo data: two organizations of one host in Voronezh, 2024 - the wholesaler ООО «ТД «Черноземье»»
  (client 1, wholesale licence: forms 07, 06, 05, 08) and the retailer ООО «Продукты 24» (client 30,
  retail licence: forms 11, 12), which buys its spirits from the wholesaler.

  Subdivisions (client cards of the company, each with its own KPP and address):
    2  Магазин «Центральный»          store group 1: sales floor, back store, embankment pavilion
    3  Склад-магазин «Левобережный»   store group 2: wholesale warehouse, sales floor
    4  Магазин «Рамонь»               store group 3: opens on 1 October 2024
  The embankment pavilion is managed by the central store but registered at the head office, so
  its own card is the company itself: declared by place it falls under client 1, by group under 2.

  Counterparties: suppliers 10-15 and 23, producers 20-24 (10, 13 and 14 produce as well),
  wholesale buyers 30-34, carriers 40-41, the anonymous retail buyer 50. Client 30 is the
  wholesaler's buyer and an organization of the host as well: its store 31 («магазин № 3», place 8)
  is its subdivision. Client 60 is a third organization of the same host (an entrepreneur selling
  beer). No organization's documents may leak into another's declarations.
*/

/* hand-made documents and lines carry their own small ids; generated ones follow them */
alter sequence SEQ_DOCS restart with 1000;
alter sequence SEQ_DOC_LINES restart with 10000;

insert into OWNKIND (ID, NAME, SHORT_NAME, IS_IP) values (1, 'Общество с ограниченной ответственностью', 'ООО', 0);
insert into OWNKIND (ID, NAME, SHORT_NAME, IS_IP) values (2, 'Акционерное общество', 'АО', 0);
insert into OWNKIND (ID, NAME, SHORT_NAME, IS_IP) values (3, 'Закрытое акционерное общество', 'ЗАО', 0);
insert into OWNKIND (ID, NAME, SHORT_NAME, IS_IP) values (4, 'Индивидуальный предприниматель', 'ИП', 1);
insert into OWNKIND (ID, NAME, SHORT_NAME, IS_IP) values (5, 'Иностранная организация', 'ИнО', 0);
insert into OWNKIND (ID, NAME, SHORT_NAME, IS_IP) values (6, 'Обособленное подразделение', 'ОП', 0);
insert into OWNKIND (ID, NAME, SHORT_NAME, IS_IP) values (7, 'Физическое лицо', 'ФЛ', 0);

insert into COUNTRIES (KOD, NAME) values ('643', 'Россия');
insert into COUNTRIES (KOD, NAME) values ('51', 'Армения');
insert into COUNTRIES (KOD, NAME) values ('112', 'Беларусь');
insert into COUNTRIES (KOD, NAME) values ('268', 'Грузия');
insert into COUNTRIES (KOD, NAME) values ('398', 'Казахстан');

insert into REGIONS (KOD, NAME) values ('16', 'Татарстан Респ');
insert into REGIONS (KOD, NAME) values ('23', 'Краснодарский край');
insert into REGIONS (KOD, NAME) values ('36', 'Воронежская обл');
insert into REGIONS (KOD, NAME) values ('48', 'Липецкая обл');
insert into REGIONS (KOD, NAME) values ('50', 'Московская обл');
insert into REGIONS (KOD, NAME) values ('52', 'Нижегородская обл');
insert into REGIONS (KOD, NAME) values ('61', 'Ростовская обл');
insert into REGIONS (KOD, NAME) values ('77', 'Москва г');

insert into CLIENT_GROUPS (ID, NAME) values (1, 'Собственные организации');
insert into CLIENT_GROUPS (ID, NAME) values (2, 'Обособленные подразделения');
insert into CLIENT_GROUPS (ID, NAME) values (3, 'Поставщики');
insert into CLIENT_GROUPS (ID, NAME) values (4, 'Производители и импортёры');
insert into CLIENT_GROUPS (ID, NAME) values (5, 'Оптовые покупатели');
insert into CLIENT_GROUPS (ID, NAME) values (6, 'Перевозчики');
insert into CLIENT_GROUPS (ID, NAME) values (7, 'Розница');

insert into LIC_SFERA (KOD, NAME) values (2, 'Производство, хранение и поставки произведенной алкогольной продукции');
insert into LIC_SFERA (KOD, NAME) values (5, 'Закупка, хранение и поставки алкогольной продукции');
insert into LIC_SFERA (KOD, NAME) values (6, 'Розничная продажа алкогольной продукции');
insert into LIC_SFERA (KOD, NAME) values (7, 'Перевозки этилового спирта и нефасованной спиртосодержащей продукции');

/* ---------- clients ---------- */

insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, PARENT_ID, COUNTRY_KOD, IS_PRODUCER, IS_OUR, EMAIL)
  values (1, 'ТД Черноземье', 'ООО «Торговый дом «Черноземье»»', '3662145780', '366201001', '+7 (473) 255-40-12', 1, 1, null, '643', 0, 1, 'office@td-chernozemye.ru');
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, PARENT_ID, COUNTRY_KOD, IS_PRODUCER, IS_OUR)
  values (2, 'Магазин «Центральный»', '', '3662145780', '366643001', '+7 (473) 255-40-20', 6, 2, 1, '643', 0, 0);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, PARENT_ID, COUNTRY_KOD, IS_PRODUCER, IS_OUR)
  values (3, 'Склад-магазин «Левобережный»', '', '3662145780', '366343001', '+7 (473) 255-40-30', 6, 2, 1, '643', 0, 0);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, PARENT_ID, COUNTRY_KOD, IS_PRODUCER, IS_OUR)
  values (4, 'Магазин «Рамонь»', '', '3662145780', '362543001', '+7 (47340) 2-15-15', 6, 2, 1, '643', 0, 0);

insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (10, 'Воронежские напитки', 'АО «Воронежские напитки»', '3661022337', '366101001', '+7 (473) 239-11-00', 2, 4, '643', 1);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (11, 'Алко-Трейд', 'ООО «Алко-Трейд Черноземье»', '3665011777', '366501001', '+7 (473) 261-77-70', 1, 3, '643', 0);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (12, 'Пивной двор', 'ООО «Пивной двор»', '3666128908', '366601001', '+7 (473) 228-08-08', 1, 3, '643', 0);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER, COMMENTS)
  values (13, 'ИП Сидоров А.В. (пивоварня)', 'Сидоров Алексей Викторович', '366200451858', '', '+7 (920) 411-22-33', 4, 4, '643', 1, 'Крафтовая пивоварня, разливное пиво в кегах');
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (14, 'Арагац Бренди (Армения)', 'ЗАО «Арагац Бренди»', '', '', '+374 10 55-21-40', 5, 3, '51', 1);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (15, 'Дары садов', 'ООО «Дары садов»', '3664055210', '366401001', '+7 (473) 276-45-45', 1, 3, '643', 0);

insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (20, 'Казанский ЛВК', 'АО «Казанский ликёро-водочный комбинат»', '1633027185', '163301001', '+7 (843) 278-10-10', 2, 4, '643', 1);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (21, 'Донской коньячный дом', 'ООО «Донской коньячный дом»', '6164029313', '616401001', '+7 (863) 240-50-50', 1, 4, '643', 1);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (22, 'Пивоварня Черноземная', 'ООО «Пивоварня «Черноземная»»', '4824007192', '482401001', '+7 (4742) 50-60-70', 1, 4, '643', 1);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (23, 'Таманский берег', 'АО «Винодельня «Таманский берег»»', '2352018469', '235201001', '+7 (86148) 3-30-30', 2, 4, '643', 1);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_PRODUCER)
  values (24, 'Пивзавод Усмань', 'АО «Пивзавод «Усмань»»', '4826003355', '482601001', '+7 (47472) 4-12-12', 2, 4, '643', 1);

insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_OUR)
  values (30, 'Продукты 24', 'ООО «Продукты 24»', '3665099122', '366501001', '+7 (473) 290-24-24', 1, 5, '643', 1);
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, PARENT_ID, COUNTRY_KOD)
  values (31, 'Продукты 24, магазин № 3', 'ООО «Продукты 24», магазин № 3', '3665099122', '366343002', '+7 (473) 290-24-03', 6, 5, 30, '643');
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD)
  values (32, 'Ресторан «Усадьба»', 'ООО «Ресторан «Усадьба»»', '3663107755', '366301001', '+7 (473) 212-00-12', 1, 5, '643');
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD)
  values (33, 'Алма-Трейд (Казахстан)', 'ТОО «Алма-Трейд»', '', '', '+7 (727) 250-33-33', 5, 5, '398');
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD)
  values (34, 'Кафе «Встреча»', 'ООО «Кафе «Встреча»»', '3664173020', '366401001', '+7 (473) 233-44-55', 1, 5, '643');

insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD)
  values (40, 'ИП Кузнецов С.А. (перевозки)', 'Кузнецов Сергей Александрович', '366401227768', '', '+7 (903) 650-12-34', 4, 6, '643');
insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD)
  values (41, 'ТрансЛогистик', 'ООО «ТрансЛогистик»', '7704033559', '770401001', '+7 (495) 777-41-41', 1, 6, '643');

insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD)
  values (50, 'Розничный покупатель', '', '', '', '', 7, 7, '643');

insert into CLIENTS (ID_CLIENTS, NAME_CLIENTS, LEGAL_NAME, INN_CLIENTS, KPP, TEL_CLIENTS, OWNKIND, GROUP_ID, COUNTRY_KOD, IS_OUR)
  values (60, 'ИП Гончарова И.П.', 'Гончарова Ирина Павловна', '362500884171', '', '+7 (951) 870-60-60', 4, 1, '643', 1);

/* ---------- addresses: KIND 0 legal, 1 actual ---------- */

insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING, APPARTMENT)
  values (1, 0, '643', '394018', '36', 'Воронеж', 'г', 'Плехановская', 'ул', '22', '', '305');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING, APPARTMENT)
  values (2, 1, '643', '394036', '36', 'Воронеж', 'г', 'Революции', 'пр-кт', '38', '', '');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING, APPARTMENT)
  values (3, 1, '643', '394029', '36', 'Воронеж', 'г', 'Ленинский', 'пр-кт', '160', '2', '');
/* the Ramon store's card was typed with the house prefix; the declaration wants the bare number */
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, DISTRICT_NAME, DISTRICT_SOCR, NAS_PUNKT, NAS_PUNKT_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING, APPARTMENT)
  values (4, 1, '643', '396020', '36', 'Рамонский', 'р-н', 'Рамонь', 'рп', 'Советская', 'ул', 'д. 15', '', '');

insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING, APPARTMENT)
  values (10, 0, '643', '394006', '36', 'Воронеж', 'г', 'Свободы', 'ул', '73', '', '');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING, APPARTMENT)
  values (11, 0, '643', '394026', '36', 'Воронеж', 'г', 'Текстильщиков', 'ул', '5', 'Б', '');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING, APPARTMENT)
  values (11, 1, '643', '394038', '36', 'Воронеж', 'г', 'Дорожная', 'ул', '17', '', '');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING, APPARTMENT)
  values (12, 0, '643', '394030', '36', 'Воронеж', 'г', 'Кольцовская', 'ул', '46', '', '12');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, DISTRICT_NAME, DISTRICT_SOCR, NAS_PUNKT, NAS_PUNKT_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING, APPARTMENT)
  values (13, 0, '643', '396333', '36', 'Новоусманский', 'р-н', 'Отрадное', 'п', 'Рубиновая', 'ул', '8', '', '');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (14, 0, '51', '0082', 'Ереван', 'г', 'Адмирала Исакова', 'пр-кт', '2');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (15, 0, '643', '394019', '36', 'Воронеж', 'г', 'Машиностроителей', 'ул', '11');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (20, 0, '643', '420061', '16', 'Казань', 'г', 'Николая Ершова', 'ул', '1');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (21, 0, '643', '344002', '61', 'Ростов-на-Дону', 'г', 'Береговая', 'ул', '29');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING)
  values (22, 0, '643', '398024', '48', 'Липецк', 'г', 'Гагарина', 'ул', '102', '3');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, DISTRICT_NAME, DISTRICT_SOCR, NAS_PUNKT, NAS_PUNKT_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (23, 0, '643', '353555', '23', 'Темрюкский', 'р-н', 'Тамань', 'ст-ца', 'Виноградная', 'ул', '1');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, DISTRICT_NAME, DISTRICT_SOCR, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (24, 0, '643', '399370', '48', 'Усманский', 'р-н', 'Усмань', 'г', 'Ленина', 'ул', '60');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, APPARTMENT)
  values (30, 0, '643', '394033', '36', 'Воронеж', 'г', 'Остужева', 'ул', '41', '2');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (31, 1, '643', '394062', '36', 'Воронеж', 'г', 'Южно-Моравская', 'ул', '12');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (32, 0, '643', '394000', '36', 'Воронеж', 'г', 'Карла Маркса', 'ул', '67');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, APPARTMENT)
  values (33, 0, '398', '050000', 'Алматы', 'г', 'Абая', 'пр-кт', '52', '14');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (34, 0, '643', '394087', '36', 'Воронеж', 'г', 'Ломоносова', 'ул', '114');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, APPARTMENT)
  values (40, 0, '643', '394055', '36', 'Воронеж', 'г', 'Ворошилова', 'ул', '21', '47');
/* Moscow is a region of its own in KLADR, with no city under it */
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, CITY_NAME, CITY_SOCR, STREET_NAME, STREET_SOCR, HOUSE, BUILDING)
  values (41, 0, '643', '109316', '77', '', '', 'Волгоградский', 'пр-кт', '42', '5');
insert into CLIENT_ADDRESSES (CLIENT_ID, KIND, COUNTRY_KOD, POST_INDEX, REGION_KOD, DISTRICT_NAME, DISTRICT_SOCR, NAS_PUNKT, NAS_PUNKT_SOCR, STREET_NAME, STREET_SOCR, HOUSE)
  values (60, 0, '643', '396020', '36', 'Рамонский', 'р-н', 'Рамонь', 'рп', 'Школьная', 'ул', '3');

/* ---------- licences ---------- */

insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (1, 'А', '0123456', '36ЗАП0004321', 'Федеральная служба по регулированию алкогольного рынка', 5, '2023-06-01', '2028-05-31');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (10, 'Б', '0045120', '36ПСН0000318', 'Федеральная служба по регулированию алкогольного рынка', 2, '2020-02-01', '2025-01-31');
/* the wholesaler renewed its licence; both were in force from 1 to 14 February 2024 */
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (11, 'А', '0077015', '36ЗАП0000777', 'Федеральная служба по регулированию алкогольного рынка', 5, '2019-02-15', '2024-02-14');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (11, '', '', '36ЗАП0001777', 'Федеральная служба по регулированию алкогольного рынка', 5, '2024-02-01', '2029-01-31');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (23, 'Б', '0230077', '23ПСН0002231', 'Федеральная служба по регулированию алкогольного рынка', 2, '2021-09-01', '2026-08-31');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (30, '', '', '36РПА0005555', 'Министерство промышленности и торговли Воронежской области', 6, '2021-03-10', '2026-03-09');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (31, '', '', '36РПА0005556', 'Министерство промышленности и торговли Воронежской области', 6, '2022-07-01', '2027-06-30');
/* the restaurant's licence ran out on 31 May 2024 and was renewed from 1 June */
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (32, '', '', '36РПА0003012', 'Министерство промышленности и торговли Воронежской области', 6, '2019-06-01', '2024-05-31');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (32, '', '', '36РПА0007812', 'Министерство промышленности и торговли Воронежской области', 6, '2024-06-01', '2029-05-31');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (34, '', '', '36РПА0004477', 'Министерство промышленности и торговли Воронежской области', 6, '2022-11-15', '2027-11-14');
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END)
  values (41, '', '', '77ПЕР0000456', 'Федеральная служба по регулированию алкогольного рынка', 7, '2022-04-20', '2027-04-19');
/* an old licence of the central store's buyer, stopped early: never in force in 2024 */
insert into CLIENT_LICENSES (CLIENT_ID, SERIES, NUMBER_LIC, REG_NUMBER, ORGAN, SFERA_KOD, DATE_BEGIN, DATE_END, DATE_STOP)
  values (34, '', '', '36РПА0001190', 'Управление по регулированию алкогольного рынка Воронежской области', 6, '2018-01-10', '2024-12-31', '2022-11-14');

/* ---------- goods ---------- */

insert into VIDPROD (KOD, NAME, BEER_FORM) values ('200', 'Водка', 0);
insert into VIDPROD (KOD, NAME, BEER_FORM) values ('211', 'Ликероводочные изделия с содержанием этилового спирта свыше 25%', 0);
insert into VIDPROD (KOD, NAME, BEER_FORM) values ('212', 'Ликероводочные изделия с содержанием этилового спирта до 25% включительно', 0);
insert into VIDPROD (KOD, NAME, BEER_FORM) values ('229', 'Коньяк', 0);
insert into VIDPROD (KOD, NAME, BEER_FORM) values ('400', 'Вино (за исключением игристого вина)', 0);
insert into VIDPROD (KOD, NAME, BEER_FORM) values ('440', 'Вино игристое', 0);
insert into VIDPROD (KOD, NAME, BEER_FORM) values ('260', 'Сидр, пуаре, медовуха', 1);
insert into VIDPROD (KOD, NAME, BEER_FORM) values ('500', 'Пиво с содержанием объемной доли этилового спирта свыше 0,5% и до 8,6% включительно', 1);
insert into VIDPROD (KOD, NAME, BEER_FORM) values ('510', 'Пиво с содержанием объемной доли этилового спирта свыше 8,6%', 1);
insert into VIDPROD (KOD, NAME, BEER_FORM) values ('520', 'Напитки, изготавливаемые на основе пива', 1);

insert into GOODS_GROUPS (ID, NAME) values (1, 'Крепкий алкоголь');
insert into GOODS_GROUPS (ID, NAME) values (2, 'Вино');
insert into GOODS_GROUPS (ID, NAME) values (3, 'Пиво и сидр');
insert into GOODS_GROUPS (ID, NAME) values (4, 'Безалкогольные напитки');
insert into GOODS_GROUPS (ID, NAME) values (5, 'Подарочные наборы');

insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (101, 'ВН-0105', 'Водка «Воронежская» 40% 0,5 л', 1, 'шт', 0.5, 40, '200', 10);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (102, 'ВН-0125', 'Водка «Воронежская» 40% 0,25 л', 1, 'шт', 0.25, 40, '200', 10);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (103, 'КЛ-0207', 'Водка «Белая берёза» 40% 0,7 л', 1, 'шт', 0.7, 40, '200', 20);
/* 25% is "up to 25% inclusive": the card's kind 211 is a mistake that the suppliers' papers (212) correct */
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (104, 'ВН-0305', 'Настойка горькая «Рябиновая» 25% 0,5 л', 1, 'шт', 0.5, 25, '211', 10);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (105, 'ВН-0405', 'Наливка «Вишнёвая» 18% 0,5 л', 1, 'шт', 0.5, 18, '212', 10);
/* imported directly by the company, which is therefore the importer of record */
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (106, 'АР-0305', 'Коньяк армянский «Арагац» 3 года 40% 0,5 л', 1, 'шт', 0.5, 40, '229', 1);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (107, 'ДК-0505', 'Коньяк российский «Донской» 5 лет 40% 0,5 л', 1, 'шт', 0.5, 40, '229', 21);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (108, 'ТБ-1075', 'Вино «Таманский берег» красное сухое 0,75 л', 2, 'шт', 0.75, 12.5, '400', 23);
/* the gift set's card has no volume yet */
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (109, 'ДК-НАБОР', 'Набор подарочный «Донской» (коньяк, два бокала)', 5, 'шт', null, 40, '229', 21);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (110, 'ТБ-2075', 'Вино игристое «Таманский берег» брют 0,75 л', 2, 'шт', 0.75, 12, '440', 23);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (201, 'ЧП-0105', 'Пиво «Черноземное светлое» 4,5% 0,5 л', 3, 'шт', 0.5, 4.5, '500', 22);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (202, 'ЧП-0205', 'Пиво «Черноземное крепкое» 9% 0,5 л', 3, 'шт', 0.5, 9, '510', 22);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (203, 'ЧП-0345', 'Пивной напиток «Черноземное вишнёвое» 4% 0,45 л', 3, 'шт', 0.45, 4, '520', 22);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (204, 'СИД-Р01', 'Пиво «Сидоровское» нефильтрованное 5% разливное', 3, 'л', 1, 5, '500', 13);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (205, 'ТБ-5075', 'Сидр «Таманский яблочный» 5% 0,75 л', 3, 'шт', 0.75, 5, '260', 23);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (206, 'УС-0115', 'Пиво «Усманское» 4% 1,5 л', 3, 'шт', 1.5, 4, '500', 24);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (301, 'ДС-1001', 'Сок яблочный осветлённый 1 л', 4, 'шт', 1, null, null, null);
insert into GOODS (ID, ARTICUL, NAME, GROUP_ID, UNIT, NETTO, ALCOHOL, VIDPROD_KOD, MANUF_ID) values (302, 'ДС-2005', 'Вода минеральная «Воронежская» 0,5 л', 4, 'шт', 0.5, null, null, null);

/* ---------- storage places ---------- */

insert into STORE_GROUPS (ID, NAME, ORG_ID, CLIENT_ID) values (1, 'Магазин «Центральный»', 1, 2);
insert into STORE_GROUPS (ID, NAME, ORG_ID, CLIENT_ID) values (2, 'Склад-магазин «Левобережный»', 1, 3);
insert into STORE_GROUPS (ID, NAME, ORG_ID, CLIENT_ID) values (3, 'Магазин «Рамонь»', 1, 4);

insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (1, 'Центральный: торговый зал', 1, 1, 2, 1);
insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (2, 'Центральный: склад', 1, 1, null, 0);
insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (3, 'Павильон «Набережная» (сезонный)', 1, 1, 1, 1);
insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (4, 'Левобережный: оптовый склад', 1, 2, null, 0);
insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (5, 'Левобережный: торговый зал', 1, 2, null, 1);
insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (6, 'Рамонь: торговый зал', 1, 3, null, 1);
insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (7, 'Магазин ИП Гончаровой', 60, null, null, 1);
insert into STORE_PLACES (ID, NAME, ORG_ID, GROUP_ID, CLIENT_ID, IS_RETAIL) values (8, 'Продукты 24: магазин № 3', 30, null, 31, 1);

/* ---------- document types, transport ---------- */

insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (1, 'Приходная накладная', 'ПН', 1, 0);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (2, 'Возврат поставщику', 'ВП', -1, 0);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (3, 'Отчёт о розничных продажах', 'РП', -1, 0);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (4, 'Возврат от розничного покупателя', 'ВР', 1, 0);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (5, 'Расходная накладная', 'РН', -1, 0);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (6, 'Возврат от покупателя', 'ВК', 1, 0);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (7, 'Перемещение', 'ПМ', 0, 1);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (8, 'Акт списания', 'СП', -1, 0);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (9, 'Акт оприходования излишков', 'ОИ', 1, 0);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (10, 'Ввод начальных остатков', 'ВО', 1, 0);
insert into DOC_TYPES (ID, NAME, PREFIX, DIRECTION, IS_TRANSFER) values (11, 'Счёт покупателю', 'СЧ', 0, 0);

insert into VIDTRANS (KOD, NAME) values ('1', 'Автомобильный');
insert into VIDTRANS (KOD, NAME) values ('2', 'Железнодорожный');

insert into VEHICLES (ID, CARRIER_ID, MODEL, REG_NUMBER, CAPACITY) values (1, 41, 'ГАЗ-3302 «ГАЗель» фургон', 'А123ВС136', 12);
insert into VEHICLES (ID, CARRIER_ID, MODEL, REG_NUMBER, CAPACITY) values (2, 41, 'КАМАЗ-65117 с полуприцепом-фургоном', 'М456ОР36', 82.5);
insert into VEHICLES (ID, CARRIER_ID, MODEL, REG_NUMBER, CAPACITY) values (3, 40, 'Ford Transit фургон', 'Е789КХ136', 11.5);

/* waybills: one vehicle trip each; T2 and T6 carry two buyers' consignments */
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (1, '2024-02-02', 'ТЛ-000118', 41, 1, '1', 'Волков П.Н.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (2, '2024-01-22', 'ТЛ-000074', 41, 1, '1', 'Волков П.Н.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (3, '2024-02-06', '12', 40, 3, '1', 'Кузнецов С.А.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (4, '2024-02-27', 'ТЛ-000201', 41, 2, '1', 'Лебедев А.И.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (5, '2024-03-22', 'ТЛ-000266', 41, 1, '1', 'Волков П.Н.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (6, '2024-04-16', 'ТЛ-000311', 41, 1, '1', 'Волков П.Н.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (7, '2024-05-21', '31', 40, 3, '1', 'Кузнецов С.А.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (8, '2024-06-05', '37', 40, 3, '1', 'Кузнецов С.А.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (9, '2024-06-18', 'ТЛ-000455', 41, 2, '1', 'Лебедев А.И.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (10, '2024-06-04', '36', 40, 3, '1', 'Кузнецов С.А.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (11, '2024-06-25', 'ТЛ-000489', 41, 1, '1', 'Волков П.Н.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (12, '2024-06-20', 'ТЛ-000470', 41, 1, '1', 'Волков П.Н.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (13, '2024-08-14', 'ТЛ-000640', 41, 1, '1', 'Волков П.Н.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (14, '2024-10-01', '88', 40, 3, '1', 'Кузнецов С.А.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (15, '2024-11-18', 'ТЛ-000902', 41, 1, '1', 'Волков П.Н.');
insert into TRANSPORTS (ID, TN_DATE, TN_NUMBER, CARRIER_ID, VEHICLE_ID, VIDTRANS_KOD, DRIVER_NAME) values (16, '2024-12-16', '121', 40, 3, '1', 'Кузнецов С.А.');

/* ---------- opening balances, entered once when the company started keeping stock here ---------- */
/* one document per original supplier, so that batch analysis knows where the stock came from */

insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (1, 10, '2023-12-31', 'ВО-000001', 1, 2, 10);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1001, 1, 101, 240, 310);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1002, 1, 102, 300, 175);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1003, 1, 104, 60, 290);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1004, 1, 105, 60, 240);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (2, 10, '2023-12-31', 'ВО-000002', 1, 2, 11);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1005, 2, 103, 84, 420);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1006, 2, 107, 36, 780);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (3, 10, '2023-12-31', 'ВО-000003', 1, 2, 12);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1007, 3, 201, 300, 62);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1008, 3, 206, 60, 145);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (4, 10, '2023-12-31', 'ВО-000004', 1, 4, 11);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1009, 4, 101, 480, 310);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1010, 4, 103, 168, 420);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1011, 4, 107, 60, 780);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (5, 10, '2023-12-31', 'ВО-000005', 1, 4, 23);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1012, 5, 108, 120, 390);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1013, 5, 205, 72, 210);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (6, 10, '2023-12-31', 'ВО-000006', 1, 1, 10);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1014, 6, 101, 48, 310);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1015, 6, 102, 60, 175);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1016, 6, 105, 24, 240);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (7, 10, '2023-12-31', 'ВО-000007', 1, 5, 12);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1017, 7, 201, 120, 62);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1018, 7, 206, 24, 145);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (8, 10, '2023-12-31', 'ВО-000008', 1, 5, 11);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1019, 8, 101, 36, 310);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1020, 8, 103, 24, 420);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (9, 10, '2023-12-31', 'ВО-000001', 60, 7, 12);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1021, 9, 201, 96, 62);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1022, 9, 206, 36, 145);

/* ========== quarter 1 of 2024 ========== */

/* purchases */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (10, 1, '2024-01-10', 'ПН-000003', 1, 2, 10, '2024-01-09', '4512');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1101, 10, 101, 360, 315);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1102, 10, 102, 400, 178);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE, VIDPROD_KOD) values (1103, 10, 104, 60, 295, '212');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1104, 10, 105, 96, 245);
/* the wholesaler's consignment note names the Kazan plant as the producer of this lot of the
   Voronezh vodka: it was bottled there under contract */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (11, 1, '2024-01-17', 'ПН-000007', 1, 4, 11, '2024-01-16', 'АТ-00215');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1111, 11, 103, 180, 425);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1112, 11, 107, 48, 790);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE, MANUF_ID) values (1113, 11, 101, 240, 318, 20);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (12, 1, '2024-01-24', 'ПН-000009', 1, 2, 14, '2024-01-12', 'AG-2024/017');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1121, 12, 106, 180, 690);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (13, 1, '2024-02-07', 'ПН-000014', 1, 4, 11, '2024-02-06', 'АТ-00388');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1131, 13, 103, 120, 425);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE, VIDPROD_KOD) values (1132, 13, 104, 48, 298, '212');
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (14, 1, '2024-02-19', 'ПН-000016', 1, 2, 23, '2024-02-16', 'ТБ-0142');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1141, 14, 108, 120, 395);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1142, 14, 205, 96, 215);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1143, 14, 109, 10, 1850);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1144, 14, 110, 60, 520);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (15, 1, '2024-01-15', 'ПН-000005', 1, 2, 12, '2024-01-15', 'ПД-1201');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1151, 15, 201, 480, 63);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1152, 15, 202, 240, 79);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1153, 15, 203, 200, 58);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1154, 15, 206, 120, 147);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (16, 1, '2024-02-12', 'ПН-000015', 1, 5, 13, '2024-02-12', '17');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1161, 16, 204, 300, 95);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (17, 1, '2024-03-04', 'ПН-000021', 1, 2, 12, '2024-03-04', 'ПД-1388');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1171, 17, 201, 480, 64);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1172, 17, 206, 120, 149);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (18, 1, '2024-03-11', 'ПН-000024', 1, 4, 10, '2024-03-07', '5120');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1181, 18, 101, 360, 315);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1182, 18, 102, 400, 178);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (19, 1, '2024-03-19', 'ПН-000027', 1, 1, 13, '2024-03-19', '21');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1191, 19, 204, 150, 95);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (20, 1, '2024-01-10', 'ПН-000004', 1, 2, 15, '2024-01-10', 'ДС-0045');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1201, 20, 301, 120, 89);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1202, 20, 302, 240, 32);
/* entered but not posted: no stock moved */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER, STATUS, COMMENTS) values (21, 1, '2024-03-28', 'ПН-000031', 1, 2, 10, '2024-03-28', '5301', 0, 'Черновик: ждём машину');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1211, 21, 101, 600, 315);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (22, 1, '2024-02-05', 'ПН-000002', 60, 7, 12, '2024-02-05', 'ПД-1290');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1221, 22, 201, 120, 63);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1222, 22, 206, 48, 147);

/* returns to suppliers */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS) values (30, 2, '2024-01-30', 'ВП-000001', 1, 2, 10, 'Брак: недолив');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (30, 102, 20, 178, 1102);
/* on 14 February both of the wholesaler's licences were in force: the renewed one counts */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS) values (31, 2, '2024-02-14', 'ВП-000002', 1, 4, 11, 'Бой при приёмке');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (31, 107, 6, 790, 1112);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS) values (32, 2, '2024-03-14', 'ВП-000003', 1, 2, 12, 'Истекает срок годности');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (32, 203, 24, 58, 1153);

/* transfers */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (40, 7, '2024-01-11', 'ПМ-000001', 1, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (40, 101, 120, 1101);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (40, 102, 150, 1102);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (40, 104, 30, 1103);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (40, 105, 48, 1104);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (41, 7, '2024-01-26', 'ПМ-000002', 1, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (41, 106, 60, 1121);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (41, 201, 120, 1151);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (41, 202, 48, 1152);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID, TRANSPORT_ID) values (42, 7, '2024-02-02', 'ПМ-000003', 1, 4, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (42, 103, 60, 1111);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (42, 107, 12, 1112);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (43, 7, '2024-03-01', 'ПМ-000004', 1, 2, 3);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (43, 201, 96, 1151);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (43, 101, 24, 1101);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (43, 206, 24, 1154);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (44, 7, '2024-02-20', 'ПМ-000005', 1, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (44, 108, 36, 1141);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (44, 205, 24, 1142);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (44, 109, 4, 1143);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (44, 110, 12, 1144);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (45, 7, '2024-03-05', 'ПМ-000006', 1, 2, 5);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (45, 201, 96, 1171);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (45, 206, 36, 1172);

/* wholesale deliveries */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, CONSIGNEE_ID, TRANSPORT_ID) values (50, 5, '2024-01-22', 'РН-000011', 1, 4, 30, 31, 2);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (50, 101, 60, 389, 1113);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (50, 103, 36, 512, 1111);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID) values (51, 5, '2024-01-22', 'РН-000012', 1, 4, 34, 2);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (51, 101, 24, 389, 1009);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (51, 107, 6, 940, 1011);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID) values (52, 5, '2024-02-06', 'РН-000027', 1, 4, 32, 3);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (52, 107, 12, 940, 1112);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (52, 103, 12, 512, 1111);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID, COMMENTS) values (53, 5, '2024-02-27', 'РН-000035', 1, 4, 33, 4, 'Экспорт, ЕАЭС');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (53, 101, 240, 370, 1009);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS) values (54, 5, '2024-03-18', 'РН-000048', 1, 2, 34, 'Самовывоз');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (54, 101, 12, 389, 1101);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (54, 105, 12, 299, 1104);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, CONSIGNEE_ID, TRANSPORT_ID) values (55, 5, '2024-03-22', 'РН-000052', 1, 4, 30, 31, 5);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (55, 101, 48, 389, 1181);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (55, 102, 60, 219, 1182);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (55, 104, 12, 355, 1132);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS) values (56, 5, '2024-03-06', 'РН-000045', 1, 2, 32, 'Самовывоз');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (56, 201, 48, 79, 1171);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (56, 205, 12, 269, 1142);
/* an invoice moves no stock */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (57, 11, '2024-03-20', 'СЧ-000120', 1, 4, 30);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE) values (57, 101, 100, 389);

/* returns from buyers, write-off, surplus */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (60, 6, '2024-03-26', 'ВК-000003', 1, 4, 30, '2024-03-25', 'ВЗ-17');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (60, 103, 6, 512, 1111);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (61, 4, '2024-02-10', 'ВР-000004', 1, 1, 50);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (61, 105, 1, 329, 1104);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, COMMENTS) values (62, 8, '2024-03-29', 'СП-000002', 1, 1, 'Бой при выкладке');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (62, 101, 2, 1101);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, COMMENTS) values (63, 9, '2024-03-29', 'ОИ-000001', 1, 1, 'Инвентаризация');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY) values (63, 104, 1);

/* ========== quarter 2 of 2024 ========== */

insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (70, 1, '2024-04-08', 'ПН-000035', 1, 2, 10, '2024-04-05', '5877');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1701, 70, 101, 480, 319);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1702, 70, 102, 400, 180);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1703, 70, 105, 96, 248);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (71, 1, '2024-04-15', 'ПН-000038', 1, 4, 11, '2024-04-12', 'АТ-00561');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1711, 71, 103, 240, 428);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1712, 71, 107, 60, 795);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE, VIDPROD_KOD) values (1713, 71, 104, 60, 298, '212');
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (72, 1, '2024-04-22', 'ПН-000041', 1, 2, 12, '2024-04-22', 'ПД-1544');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1721, 72, 201, 600, 64);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1722, 72, 202, 240, 80);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1723, 72, 203, 160, 58);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1724, 72, 206, 180, 149);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (73, 1, '2024-05-13', 'ПН-000047', 1, 2, 23, '2024-05-08', 'ТБ-0301');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1731, 73, 108, 180, 398);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1732, 73, 110, 60, 525);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1733, 73, 205, 144, 215);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (74, 1, '2024-05-20', 'ПН-000050', 1, 5, 13, '2024-05-20', '34');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1741, 74, 204, 400, 97);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (75, 1, '2024-05-27', 'ПН-000052', 1, 1, 13, '2024-05-27', '35');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1751, 75, 204, 300, 97);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (76, 1, '2024-06-03', 'ПН-000055', 1, 4, 10, '2024-05-31', '6630');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1761, 76, 101, 600, 319);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1762, 76, 102, 400, 180);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE, VIDPROD_KOD) values (1763, 76, 104, 96, 298, '212');
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (77, 1, '2024-06-10', 'ПН-000058', 1, 2, 12, '2024-06-10', 'ПД-1702');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1771, 77, 201, 720, 65);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1772, 77, 206, 240, 150);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1773, 77, 203, 120, 59);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (78, 1, '2024-06-17', 'ПН-000060', 1, 2, 14, '2024-06-03', 'AG-2024/058');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1781, 78, 106, 120, 705);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (79, 1, '2024-04-10', 'ПН-000009', 60, 7, 12, '2024-04-10', 'ПД-1530');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1791, 79, 201, 144, 64);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1792, 79, 206, 48, 149);

insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS) values (80, 2, '2024-04-25', 'ВП-000004', 1, 2, 12, 'Повреждена упаковка');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (80, 202, 12, 80, 1722);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID, COMMENTS) values (81, 2, '2024-06-20', 'ВП-000005', 1, 4, 11, 12, 'Пересорт');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (81, 103, 12, 428, 1711);

insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (82, 7, '2024-04-09', 'ПМ-000011', 1, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (82, 101, 144, 1701);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (82, 102, 120, 1702);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (82, 105, 48, 1703);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (83, 7, '2024-04-23', 'ПМ-000012', 1, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (83, 201, 240, 1721);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (83, 202, 96, 1722);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (83, 203, 60, 1723);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (83, 206, 60, 1724);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID, COMMENTS) values (84, 7, '2024-05-06', 'ПМ-000014', 1, 2, 3, 'Открытие сезона в павильоне');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (84, 201, 192, 1721);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (84, 206, 72, 1724);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (84, 205, 24, 1142);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (84, 101, 24, 1701);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (85, 7, '2024-05-14', 'ПМ-000015', 1, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (85, 108, 60, 1731);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (85, 110, 24, 1732);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (85, 205, 48, 1733);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID, TRANSPORT_ID) values (86, 7, '2024-06-04', 'ПМ-000017', 1, 4, 2, 10);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (86, 101, 120, 1761);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (86, 104, 24, 1763);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (86, 103, 48, 1711);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (87, 7, '2024-06-11', 'ПМ-000018', 1, 2, 3);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (87, 201, 240, 1771);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (87, 206, 96, 1772);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (88, 7, '2024-06-12', 'ПМ-000019', 1, 2, 5);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (88, 201, 120, 1771);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (88, 203, 36, 1773);

insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, CONSIGNEE_ID, TRANSPORT_ID) values (90, 5, '2024-04-16', 'РН-000061', 1, 4, 30, 31, 6);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (90, 101, 120, 395, 1181);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (90, 103, 60, 515, 1711);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (90, 107, 12, 945, 1712);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID) values (91, 5, '2024-04-16', 'РН-000062', 1, 4, 34, 6);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (91, 101, 24, 395, 1181);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (91, 104, 12, 355, 1713);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID) values (92, 5, '2024-05-21', 'РН-000070', 1, 4, 32, 7);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (92, 107, 24, 945, 1712);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (92, 103, 24, 515, 1711);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID) values (93, 5, '2024-06-05', 'РН-000076', 1, 4, 32, 8);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (93, 107, 12, 945, 1712);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (93, 101, 24, 395, 1761);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID, COMMENTS) values (94, 5, '2024-06-18', 'РН-000081', 1, 4, 33, 9, 'Экспорт, ЕАЭС');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (94, 101, 300, 375, 1761);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (94, 103, 120, 495, 1711);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS) values (95, 5, '2024-05-08', 'РН-000067', 1, 2, 32, 'Самовывоз');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (95, 201, 96, 80, 1721);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (95, 205, 24, 269, 1733);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID) values (96, 5, '2024-06-25', 'РН-000085', 1, 4, 30, 11);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (96, 102, 120, 222, 1762);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (96, 104, 24, 355, 1763);

insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (97, 6, '2024-06-27', 'ВК-000006', 1, 4, 32, '2024-06-26', '118');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (97, 107, 2, 945, 1712);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (98, 4, '2024-05-03', 'ВР-000011', 1, 5, 50);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (98, 201, 2, 95, 1151);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, COMMENTS) values (99, 8, '2024-06-28', 'СП-000005', 1, 3, 'Бой в павильоне');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (99, 201, 6, 1771);

/* ========== quarters 3 and 4 of 2024 ========== */

insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (110, 1, '2024-07-08', 'ПН-000066', 1, 2, 10, '2024-07-05', '7702');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1801, 110, 101, 480, 322);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1802, 110, 102, 300, 182);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (111, 1, '2024-07-15', 'ПН-000068', 1, 2, 12, '2024-07-15', 'ПД-1866');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1811, 111, 201, 720, 66);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1812, 111, 206, 240, 152);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (112, 1, '2024-08-05', 'ПН-000073', 1, 4, 11, '2024-08-02', 'АТ-00790');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1821, 112, 103, 180, 430);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1822, 112, 107, 48, 799);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (113, 1, '2024-08-19', 'ПН-000077', 1, 5, 13, '2024-08-19', '52');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1831, 113, 204, 400, 98);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (114, 7, '2024-07-09', 'ПМ-000024', 1, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (114, 101, 144, 1801);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (114, 102, 120, 1802);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (115, 7, '2024-07-16', 'ПМ-000025', 1, 2, 3);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (115, 201, 240, 1811);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (115, 206, 96, 1812);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (116, 7, '2024-07-17', 'ПМ-000026', 1, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (116, 201, 240, 1811);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (116, 206, 60, 1812);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, CONSIGNEE_ID, TRANSPORT_ID) values (117, 5, '2024-08-14', 'РН-000102', 1, 4, 30, 31, 13);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (117, 101, 120, 399, 1761);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (117, 103, 60, 519, 1821);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS) values (118, 5, '2024-09-10', 'РН-000117', 1, 4, 34, 'Самовывоз');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (118, 107, 12, 949, 1822);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID, COMMENTS) values (119, 7, '2024-09-30', 'ПМ-000031', 1, 3, 2, 'Закрытие сезона в павильоне');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (119, 206, 12, 1812);

insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID, TRANSPORT_ID, COMMENTS) values (120, 7, '2024-10-01', 'ПМ-000032', 1, 2, 6, 14, 'Открытие магазина в Рамони');
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (120, 101, 96, 1801);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (120, 102, 60, 1802);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (120, 201, 144, 1811);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (120, 206, 48, 1812);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (120, 105, 24, 1703);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (121, 1, '2024-10-07', 'ПН-000091', 1, 2, 10, '2024-10-04', '9031');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1901, 121, 101, 480, 325);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1902, 121, 102, 300, 184);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1903, 121, 105, 96, 252);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (122, 1, '2024-10-14', 'ПН-000093', 1, 2, 12, '2024-10-14', 'ПД-2210');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1911, 122, 201, 600, 67);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1912, 122, 206, 240, 154);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (123, 1, '2024-11-11', 'ПН-000099', 1, 4, 11, '2024-11-08', 'АТ-01014');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1921, 123, 103, 240, 434);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1922, 123, 107, 60, 805);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, CONSIGNEE_ID, TRANSPORT_ID) values (124, 5, '2024-11-18', 'РН-000140', 1, 4, 30, 31, 15);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (124, 101, 120, 405, 1761);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (124, 103, 60, 525, 1921);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (125, 1, '2024-12-02', 'ПН-000104', 1, 2, 14, '2024-11-20', 'AG-2024/131');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1951, 125, 106, 120, 715);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (126, 1, '2024-12-09', 'ПН-000106', 1, 2, 23, '2024-12-04', 'ТБ-0577');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1961, 126, 108, 120, 405);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (1962, 126, 110, 120, 535);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, TRANSPORT_ID) values (127, 5, '2024-12-16', 'РН-000152', 1, 2, 32, 16);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (127, 110, 24, 649, 1962);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (127, 108, 12, 489, 1961);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (128, 7, '2024-12-10', 'ПМ-000041', 1, 2, 1);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (128, 110, 48, 1962);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (128, 106, 48, 1951);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (128, 108, 36, 1961);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID) values (129, 7, '2024-12-11', 'ПМ-000042', 1, 2, 6);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (129, 110, 24, 1962);
insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID) values (129, 106, 12, 1951);

/* ========== the retailer «Продукты 24» (client 30), store № 3 (place 8) ========== */
/* Its spirits come from the wholesaler (client 1: its deliveries РН-000011 and РН-000052 to the
   store), its beer from the beer wholesaler and the brewer. The lines carry their own ids, so that
   the wholesaler's lines keep theirs. */

insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (200, 10, '2023-12-31', 'ВО-000001', 30, 8, 1);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3001, 200, 101, 48, 385);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3002, 200, 103, 24, 505);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID) values (201, 10, '2023-12-31', 'ВО-000002', 30, 8, 12);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3011, 201, 201, 120, 63);

/* the wholesaler's note names the Kazan plant as the producer of its vodka lot */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (202, 1, '2024-01-23', 'ПН-000004', 30, 8, 1, '2024-01-22', 'РН-000011');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE, MANUF_ID) values (3021, 202, 101, 60, 389, 20);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3022, 202, 103, 36, 512);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (203, 1, '2024-03-22', 'ПН-000019', 30, 8, 1, '2024-03-22', 'РН-000052');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3031, 203, 101, 48, 389);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3032, 203, 102, 60, 219);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE, VIDPROD_KOD) values (3033, 203, 104, 12, 355, '212');
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (204, 1, '2024-01-16', 'ПН-000002', 30, 8, 12, '2024-01-16', 'ПД-1212');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3041, 204, 201, 240, 63);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3042, 204, 202, 96, 79);
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3043, 204, 206, 60, 147);
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, EXT_DOC_DATE, EXT_DOC_NUMBER) values (205, 1, '2024-02-13', 'ПН-000009', 30, 8, 13, '2024-02-13', '18');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE) values (3051, 205, 204, 100, 95);
/* six bottles of the first delivery came broken and went back (the wholesaler's ВК-000003) */
insert into DOCS (ID, DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID, COMMENTS) values (206, 2, '2024-03-25', 'ВЗ-17', 30, 8, 1, 'Бой при приёмке');
insert into DOC_LINES (ID, DOC_ID, GOODS_ID, QUANTITY, PRICE, PARTY_ID) values (3061, 206, 103, 6, 512, 3022);

commit;

/* ---------- retail sales: one report per trading place and week ---------- */
/* Quantities follow a fixed pattern per goods, place and week. A trading place that runs low is
   restocked on Monday from its supplying warehouse (the stores' automatic replenishment), and a
   week's sales never exceed the stock, so no balance goes negative. Every line names the batch
   of the place's latest receipt of the goods. */

set term ^;

/* What can leave a place on a day without any balance from that day on going negative: later
   documents are already entered. Used only while the sales are generated. */
create procedure DEMO_AVAILABLE (PLACE_ID integer, GOODS_ID integer, ON_DATE date)
returns (QTY numeric(15,3))
as
begin
  select min(b.BAL)
    from (select x.D, sum(x.NET) over (order by x.D) BAL
            from (select m.DOC_DATE D, sum(m.DIRECTION * m.QUANTITY) NET
                    from V_STOCK_MOVES m
                    where m.PLACE_ID = :PLACE_ID and m.GOODS_ID = :GOODS_ID
                    group by m.DOC_DATE
                  union all
                  select :ON_DATE, 0 from RDB$DATABASE) x) b
    where b.D >= :ON_DATE
    into :QTY;
  QTY = maxvalue(coalesce(QTY, 0), 0);
  suspend;
end^

execute block as
declare variable week_end date;
declare variable place_id integer;
declare variable source_id integer;
declare variable org_id integer;
declare variable place_from date;
declare variable place_to date;
declare variable place_factor integer;
declare variable goods_id integer;
declare variable base_qty integer;
declare variable want numeric(15,3);
declare variable stock numeric(15,3);
declare variable source_stock numeric(15,3);
declare variable refill numeric(15,3);
declare variable party_id integer;
declare variable sale_id integer;
declare variable move_id integer;
declare variable sale_no integer = 0;
declare variable move_no integer = 500;
declare variable w integer;
begin
  week_end = date '2024-01-07';
  w = 1;
  while (week_end <= date '2024-12-29') do
  begin
    for select p.ID, p.ORG_ID,
               case p.ID when 3 then date '2024-05-01' when 6 then date '2024-10-01' else date '2024-01-01' end,
               case p.ID when 3 then date '2024-09-29' else date '2024-12-31' end,
               case p.ID when 1 then 10 when 3 then 6 when 5 then 7 when 6 then 4 else 5 end,
               case p.ID when 1 then 2 when 3 then 2 when 5 then 4 when 6 then 2 end
          from STORE_PLACES p
          where p.IS_RETAIL = 1
          order by p.ID
          into :place_id, :org_id, :place_from, :place_to, :place_factor, :source_id
    do
    begin
      if (week_end >= place_from and week_end <= place_to) then
      begin
        sale_id = null;
        move_id = null;
        for select g.ID,
                   case g.ID when 101 then 14 when 102 then 12 when 103 then 6 when 104 then 3
                             when 105 then 4 when 106 then 4 when 107 then 2 when 108 then 5
                             when 109 then 1 when 110 then 3 when 201 then 30 when 202 then 8
                             when 203 then 6 when 204 then 45 when 205 then 5 when 206 then 12
                             when 301 then 10 else 6 end
              from GOODS g
              order by g.ID
              into :goods_id, :base_qty
        do
        begin
          want = cast(base_qty * place_factor * (7 + mod(w * 7 + goods_id * 13 + place_id * 5, 7)) / 100 as integer);
          if (want < 1) then want = 1;

          select QTY from DEMO_AVAILABLE(:place_id, :goods_id, :week_end) into :stock;

          if (stock < 2 * want and source_id is not null) then
          begin
            select QTY from DEMO_AVAILABLE(:source_id, :goods_id, :week_end - 6) into :source_stock;
            refill = minvalue(cast(source_stock / 2 as integer), 4 * want);
            if (refill > 0) then
            begin
              if (move_id is null) then
              begin
                move_no = move_no + 1;
                insert into DOCS (DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, PLACE_TO_ID, COMMENTS)
                  values (7, :week_end - 6, 'ПМ-' || lpad(:move_no, 6, '0'), :org_id, :source_id, :place_id,
                          'Пополнение торгового зала')
                  returning ID into :move_id;
              end
              party_id = null;
              select first 1 m.PARTY_LINE_ID
                from V_STOCK_MOVES m
                where m.PLACE_ID = :source_id and m.GOODS_ID = :goods_id and m.DIRECTION = 1
                  and m.DOC_DATE <= :week_end - 6
                order by m.DOC_DATE desc, m.LINE_ID desc
                into :party_id;
              insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID)
                values (:move_id, :goods_id, :refill, :party_id);
              stock = stock + refill;
            end
          end

          if (want > stock) then want = cast(stock * 0.6 as integer);
          if (want > 0) then
          begin
            if (sale_id is null) then
            begin
              sale_no = sale_no + 1;
              insert into DOCS (DOC_TYPE, DOC_DATE, DOC_NUMBER, ORG_ID, PLACE_ID, CLIENT_ID)
                values (3, :week_end, 'РП-' || lpad(:sale_no, 6, '0'), :org_id, :place_id, 50)
                returning ID into :sale_id;
            end
            party_id = null;
            select first 1 m.PARTY_LINE_ID
              from V_STOCK_MOVES m
              where m.PLACE_ID = :place_id and m.GOODS_ID = :goods_id and m.DIRECTION = 1
                and m.DOC_DATE <= :week_end
              order by m.DOC_DATE desc, m.LINE_ID desc
              into :party_id;
            insert into DOC_LINES (DOC_ID, GOODS_ID, QUANTITY, PARTY_ID)
              values (:sale_id, :goods_id, :want, :party_id);
          end
        end
      end
    end
    week_end = week_end + 7;
    w = w + 1;
  end
end^

drop procedure DEMO_AVAILABLE^
set term ;^

commit;

/* ---------- the suppliers a user ticked in the report window ---------- */
/* report 0 of owner 0 is what the program passes when run without --report-id/--owner-id */
insert into SEL_CLIENTS (REPORT_ID, OWNER_ID, CLIENT_ID) values (0, 0, 10);
insert into SEL_CLIENTS (REPORT_ID, OWNER_ID, CLIENT_ID) values (0, 0, 12);
insert into SEL_CLIENTS (REPORT_ID, OWNER_ID, CLIENT_ID) values (11, 1, 11);

/* ---------- identifiers continue after the hand-made rows ---------- */
set term ^;
execute block as
declare variable n bigint;
begin
  select coalesce(max(ID_CLIENTS), 0) + 1 from CLIENTS into :n;
  execute statement 'alter sequence SEQ_CLIENTS restart with ' || n;
  select coalesce(max(ID), 0) + 1 from CLIENT_LICENSES into :n;
  execute statement 'alter sequence SEQ_LICENSES restart with ' || n;
  select coalesce(max(ID), 0) + 1 from CLIENT_ADDRESSES into :n;
  execute statement 'alter sequence SEQ_ADDRESSES restart with ' || n;
  select coalesce(max(ID), 0) + 1 from GOODS into :n;
  execute statement 'alter sequence SEQ_GOODS restart with ' || n;
  select coalesce(max(ID), 0) + 1 from STORE_PLACES into :n;
  execute statement 'alter sequence SEQ_PLACES restart with ' || n;
  select coalesce(max(ID), 0) + 1 from VEHICLES into :n;
  execute statement 'alter sequence SEQ_VEHICLES restart with ' || n;
  select coalesce(max(ID), 0) + 1 from TRANSPORTS into :n;
  execute statement 'alter sequence SEQ_TRANSPORTS restart with ' || n;
  select coalesce(max(ID), 0) + 1 from DOCS into :n;
  execute statement 'alter sequence SEQ_DOCS restart with ' || n;
  select coalesce(max(ID), 0) + 1 from DOC_LINES into :n;
  execute statement 'alter sequence SEQ_DOC_LINES restart with ' || n;
end^
set term ;^

commit;
