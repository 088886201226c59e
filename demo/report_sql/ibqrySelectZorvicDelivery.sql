/* Deliveries of alcoholic products (not beer) to wholesale buyers and returns from them - one row
   per document, subdivision, product kind and producer, in decalitres. The buyer comes with its
   legal address and the licence in force on the document date (for a return, the date of
   the return note of the buyer). Product kind and producer come from the goods card (kind 0), the
   document line (1) or the receipt of the batch (2). Deliveries abroad are included - the buyer
   is then non-resident. Rows come ordered by subdivision, kind, producer, buyer and licence. */
with prm as (
  select cast(:From_name_id as integer) as org_id,
         cast(:Date_First as date) as date_first,
         cast(:Date_Last as date) as date_last,
         cast(:Calc_precision as integer) as prec,
         cast(:Group_by_superplace as integer) as by_group,
         cast(:Manuf_kind as integer) as manuf_kind,
         cast(:Vidprod_kind as integer) as vidprod_kind
    from rdb$database),
lines as (
  select iif(prm.by_group = 1, ps.sub_group, ps.sub_own) as superplace_cl_id,
         case prm.vidprod_kind
           when 1 then coalesce(l.vidprod_kod, g.vidprod_kod)
           when 2 then coalesce((select pl.vidprod_kod from doc_lines pl
                                  where pl.id = coalesce(l.party_id, l.id)), g.vidprod_kod)
           else g.vidprod_kod
         end as vidprod_kod,
         case prm.manuf_kind
           when 1 then coalesce(l.manuf_id, g.manuf_id)
           when 2 then coalesce((select pl.manuf_id from doc_lines pl
                                  where pl.id = coalesce(l.party_id, l.id)), g.manuf_id)
           else g.manuf_id
         end as manuf_id,
         d.client_id as cl_id,
         coalesce(d.ext_doc_date, d.doc_date) as ext_doc_date,
         iif(d.ext_doc_number = '', d.doc_number, d.ext_doc_number) as ext_docindex,
         iif(d.doc_type = 6, 1, 0) as isret,
         cast(l.quantity as double precision) * g.netto / 10 as dal
    from prm
    join docs d on d.org_id = prm.org_id
               and d.doc_date between prm.date_first and prm.date_last
    join doc_lines l on l.doc_id = d.id
    join goods g on g.id = l.goods_id
    join v_place_subdiv ps on ps.place_id = d.place_id
   where d.status = 1
     and d.doc_type in (5, 6)       /* delivery, return from the buyer */
     and g.netto > 0),
grp as (
  select li.superplace_cl_id, li.vidprod_kod, li.manuf_id, li.cl_id,
         li.ext_doc_date, li.ext_docindex, li.isret, sum(li.dal) as dal
    from lines li
    join vidprod v on v.kod = li.vidprod_kod
   where v.beer_form = 0
   group by li.superplace_cl_id, li.vidprod_kod, li.manuf_id, li.cl_id,
            li.ext_doc_date, li.ext_docindex, li.isret)
select v.name as VIDPROD_NAME,
       r.vidprod_kod as VIDPROD_KOD,
       r.superplace_cl_id as SUPERPLACE_CL_ID,
       r.cl_id as CL_ID,
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
       cast(round(r.dal, prm.prec) as double precision) as QUANTITY,
       r.isret as ISRET
  from grp r
  cross join prm
  join vidprod v on v.kod = r.vidprod_kod
  join clients c on c.id_clients = r.cl_id
  left join ownkind ok on ok.id = c.ownkind
  left join clients m on m.id_clients = r.manuf_id
  left join get_address_kladr(0, r.cl_id) a on 1 = 1
  left join client_lic_view(r.cl_id, r.ext_doc_date) lic on 1 = 1
 order by r.superplace_cl_id, r.vidprod_kod, r.manuf_id, r.cl_id, lic.lic_date,
          r.isret, r.ext_doc_date, r.ext_docindex
