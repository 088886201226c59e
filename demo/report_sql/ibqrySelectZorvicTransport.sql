/* Transport of alcoholic products (not beer) by hired carriers - one row per consignment note
   (document) on a waybill and product group, in decalitres. The carrier comes with its legal
   address and the licence in force on the waybill date, the vehicle with its body volume, and the
   receiver of the goods - the consignee or buyer of a delivery, the supplier of a return, the
   receiving subdivision of a transfer, the own subdivision for goods brought in. TN_QUANTITY is
   what the waybill carried of the product group for the subdivision. Product kind and producer
   come from the goods card, the producer given when the goods of the group on the note have only
   one. The declaration wants the group of the kind (ethyl spirit ЭС for the spirit kinds 0xx,
   alcoholic products АП for the rest - the host keeps no spirit-containing products) and the
   transport kind as its letter code, where the host numbers the kinds 1 to 5. Rows come ordered
   by subdivision, transport kind, product group, carrier and licence, vehicle and waybill, as
   declared. */
with prm as (
  select cast(:From_name_ID as integer) as org_id,
         cast(:Date_First as date) as date_first,
         cast(:Date_Last as date) as date_last,
         cast(:Calc_precision as integer) as prec,
         cast(:Group_by_superplace as integer) as by_group
    from rdb$database),
lines as (
  select iif(prm.by_group = 1, ps.sub_group, ps.sub_own) as superplace_cl_id,
         cast(iif(g.vidprod_kod starting with '0', 'ЭС', 'АП') as varchar(5)) as product_group,
         g.manuf_id,
         d.transport_id,
         coalesce(d.ext_doc_date, d.doc_date) as ext_doc_date,
         iif(d.ext_doc_number = '', d.doc_number, d.ext_doc_number) as ext_docindex,
         iif(d.doc_type in (2, 6), 1, 0) as isret,
         case
           when d.doc_type = 7 then iif(prm.by_group = 1, pt.sub_group, pt.sub_own)
           when d.doc_type in (1, 6) then iif(prm.by_group = 1, ps.sub_group, ps.sub_own)
           else coalesce(d.consignee_id, d.client_id)
         end as buyer_id,
         cast(l.quantity as double precision) * g.netto / 10 as dal
    from prm
    join docs d on d.org_id = prm.org_id
               and d.doc_date between prm.date_first and prm.date_last
    join doc_lines l on l.doc_id = d.id
    join goods g on g.id = l.goods_id
    join vidprod v on v.kod = g.vidprod_kod
    join v_place_subdiv ps on ps.place_id = d.place_id
    left join v_place_subdiv pt on pt.place_id = d.place_to_id
   where d.status = 1
     and d.transport_id is not null
     and d.doc_type in (1, 2, 5, 6, 7)   /* purchase, returns both ways, delivery, transfer */
     and v.beer_form = 0
     and g.netto > 0),
grp as (
  select li.superplace_cl_id, li.product_group,
         iif(min(li.manuf_id) = max(li.manuf_id), min(li.manuf_id), null) as manuf_id,
         li.transport_id, li.ext_doc_date, li.ext_docindex, li.isret, li.buyer_id,
         round(sum(li.dal), max(prm.prec)) as quantity
    from lines li
    cross join prm
   group by li.superplace_cl_id, li.product_group, li.transport_id,
            li.ext_doc_date, li.ext_docindex, li.isret, li.buyer_id),
waybills as (
  select r.*,
         sum(r.quantity) over (partition by r.transport_id, r.superplace_cl_id, r.product_group)
           as tn_quantity
    from grp r)
select cast(iif(r.product_group = 'ЭС', 'Этиловый спирт', 'Алкогольная продукция') as varchar(250)) as VIDPROD_NAME,
       r.product_group as VIDPROD_KOD,
       r.superplace_cl_id as SUPERPLACE_CL_ID,
       t.carrier_id as CL_ID,
       cast(coalesce(ok.is_ip, 0) as integer) as CL_IS_IP,
       cast(iif(c.legal_name <> '', c.legal_name, c.name_clients) as varchar(250)) as CL_NAME,
       c.inn_clients as CL_INN,
       c.kpp as CL_KPP,
       a.address as CL_ADDRES,
       a.country_kod as CL_COUNTRY_KOD,
       a.post_index as CL_POST_INDEX,
       a.region_kod as CL_REGION,
       a.district_name as CL_DISTRICT_NAME,
       a.city_name as CL_CITY_NAME,
       a.nas_punkt as CL_NAS_PUNKT,
       a.street_name as CL_STREET_NAME,
       a.house as CL_HOUSE,
       a.building as CL_BUILDING,
       a.appartment as CL_APPARTMENT,
       lic.lic_series as CL_LIC_SERIES,
       lic.lic_number as CL_LIC_NUMBER,
       lic.lic_date as CL_LIC_DATE,
       lic.lic_gooddate as CL_LIC_GOOD_DATE,
       lic.lic_organ as CL_LIC_ORGAN,
       lic.lic_reg_number as CL_LIC_REG_NUMBER,
       r.manuf_id as MANUF_ID,
       cast(coalesce(iif(m.legal_name <> '', m.legal_name, m.name_clients), '') as varchar(250)) as MANUF_NAME,
       cast(coalesce(m.inn_clients, '') as varchar(12)) as MANUF_INN,
       cast(coalesce(m.kpp, '') as varchar(9)) as MANUF_KPP,
       r.ext_doc_date as EXT_DOC_DATE,
       r.ext_docindex as EXT_DOCINDEX,
       cast(r.quantity as double precision) as QUANTITY,
       r.isret as ISRET,
       r.buyer_id as BUYER_ID,
       cast(coalesce(iif(b.legal_name <> '', b.legal_name, b.name_clients), '') as varchar(250)) as BUYER_NAME,
       cast(coalesce(b.inn_clients, '') as varchar(12)) as BUYER_INN,
       cast(coalesce(b.kpp, '') as varchar(9)) as BUYER_KPP,
       vh.model as TRANS_TYPE,
       vh.reg_number as TRANS_NUMBER,
       vh.capacity as TRANS_VOLUME,
       cast(case t.vidtrans_kod when '1' then 'АТ' when '2' then 'ЖД' when '3' then 'МП'
                                when '4' then 'РП' when '5' then 'АВ' else t.vidtrans_kod end
            as varchar(2)) as VIDTRANS_KOD,
       t.tn_date as TN_DATE,
       t.tn_number as TN_INDEX,
       cast(r.tn_quantity as double precision) as TN_QUANTITY
  from waybills r
  join transports t on t.id = r.transport_id
  join vehicles vh on vh.id = t.vehicle_id
  join clients c on c.id_clients = t.carrier_id
  left join ownkind ok on ok.id = c.ownkind
  left join clients m on m.id_clients = r.manuf_id
  left join clients b on b.id_clients = r.buyer_id
  left join get_address_kladr(0, t.carrier_id) a on 1 = 1
  left join client_lic_view(t.carrier_id, t.tn_date) lic on 1 = 1
 order by r.superplace_cl_id, t.vidtrans_kod, r.product_group, t.carrier_id, lic.lic_date,
          vh.model, vh.reg_number, t.tn_date, t.tn_number, r.ext_doc_date, r.ext_docindex,
          r.manuf_id, r.buyer_id
