/* Retail declaration, turnover of alcoholic products (not beer) - per subdivision, product kind
   and producer (and article, when goods are detailed) the balance at the start of the period,
   receipts and disposals by kind, in decalitres. Every stock change of a posted document counts,
   transfers inside one subdivision excepted. Receipts - from producers, from wholesalers, by
   import (a non-resident supplier), returns from buyers, transfers from another subdivision, other
   (surplus, balances entered). Disposals - retail sales, returns to suppliers, transfers to
   another subdivision, other (write-offs and wholesale deliveries, which a retail declaration has
   no column for). Product kind and producer as in the purchases of this declaration, and the same
   batch filter (use_sel_clients) and volume rule, so every purchase row finds its turnover row.
   A row is kept when the period has a movement or, unless only_move is set, when the opening
   balance is not zero; only_move leaves the opening balance at 0. */
with prm as (
  select cast(:From_name_id as integer) as org_id,
         cast(:Date_First as date) as date_first,
         cast(:Date_Last as date) as date_last,
         cast(:Calc_precision as integer) as prec,
         cast(:Group_by_superplace as integer) as by_group,
         cast(:Manuf_kind as integer) as manuf_kind,
         cast(:Vidprod_kind as integer) as vidprod_kind,
         cast(:Report_ID as integer) as report_id,
         cast(:Owner_ID as integer) as owner_id,
         cast(:use_sel_clients as integer) as use_sel,
         cast(:group_by_articul as integer) as by_articul,
         cast(:show_null_netto as integer) as show_null_netto,
         cast(:only_move as integer) as only_move
    from rdb$database),
mv as (
  select iif(prm.by_group = 1, ps.sub_group, ps.sub_own) as sub_id,
         iif(prm.by_group = 1, pp.sub_group, pp.sub_own) as peer_sub_id,
         case prm.vidprod_kind
           when 1 then coalesce(m.line_vidprod_kod, g.vidprod_kod)
           when 2 then coalesce((select pl.vidprod_kod from doc_lines pl
                                  where pl.id = m.party_line_id), g.vidprod_kod)
           else g.vidprod_kod
         end as vidprod_kod,
         case prm.manuf_kind
           when 1 then coalesce(m.line_manuf_id, g.manuf_id)
           when 2 then coalesce((select pl.manuf_id from doc_lines pl
                                  where pl.id = m.party_line_id), g.manuf_id)
           else g.manuf_id
         end as manuf_id,
         iif(prm.by_articul = 1, g.id, cast(null as integer)) as goods_id,
         m.doc_type, m.direction, m.quantity, m.client_id,
         iif(m.doc_date < prm.date_first, 1, 0) as before_period,
         cast(m.quantity as double precision) * coalesce(g.netto, 0) / 10 as dal
    from prm
    join v_stock_moves m on m.org_id = prm.org_id and m.doc_date <= prm.date_last
    join goods g on g.id = m.goods_id
    join v_place_subdiv ps on ps.place_id = m.place_id
    left join v_place_subdiv pp on pp.place_id = m.peer_place_id
   where (g.netto > 0 or (prm.by_articul = 1 and prm.show_null_netto = 1))
     and (prm.use_sel = 0
          or exists (select 1 from sel_clients s
                      where s.report_id = prm.report_id and s.owner_id = prm.owner_id
                        and s.client_id = (select pd.client_id
                                             from doc_lines pl
                                             join docs pd on pd.id = pl.doc_id
                                            where pl.id = m.party_line_id)))),
kinds as (
  select mv.sub_id, mv.vidprod_kod, mv.manuf_id, mv.goods_id, mv.direction, mv.quantity, mv.dal,
         case
           when mv.before_period = 1 then 'OST'
           when mv.doc_type = 7 and mv.peer_sub_id = mv.sub_id then null
           when mv.doc_type = 7 and mv.direction = 1 then 'PRIX_MOVE'
           when mv.doc_type = 7 then 'RASX_MOVE'
           when mv.doc_type = 1 then
             coalesce((select iif(c.country_kod <> '643', 'PRIX_IMPORT',
                                  iif(c.is_producer = 1, 'PRIX_PROIZ', 'PRIX_OPT'))
                         from clients c where c.id_clients = mv.client_id), 'PRIX_OPT')
           when mv.doc_type in (4, 6) then 'PRIX_RET'
           when mv.direction = 1 then 'PRIX_OTHER'
           when mv.doc_type = 3 then 'RASX_ROZN'
           when mv.doc_type = 2 then 'RASX_RET'
           else 'RASX_OTHER'
         end as kind
    from mv
    join vidprod v on v.kod = mv.vidprod_kod
   where v.beer_form = 0),
grp as (
  select k.sub_id, k.vidprod_kod, k.manuf_id, k.goods_id,
         sum(iif(k.kind = 'OST', k.direction * k.quantity, 0)) as ost_units,
         sum(iif(k.kind <> 'OST', 1, 0)) as moves,
         sum(iif(k.kind = 'OST', k.direction * k.dal, 0)) as ost_begin,
         sum(iif(k.kind = 'PRIX_PROIZ', k.dal, 0)) as prix_proiz,
         sum(iif(k.kind = 'PRIX_OPT', k.dal, 0)) as prix_opt,
         sum(iif(k.kind = 'PRIX_IMPORT', k.dal, 0)) as prix_import,
         sum(iif(k.kind = 'PRIX_RET', k.dal, 0)) as prix_ret,
         sum(iif(k.kind = 'PRIX_MOVE', k.dal, 0)) as prix_move,
         sum(iif(k.kind = 'PRIX_OTHER', k.dal, 0)) as prix_other,
         sum(iif(k.kind = 'RASX_ROZN', k.dal, 0)) as rasx_rozn,
         sum(iif(k.kind = 'RASX_RET', k.dal, 0)) as rasx_ret,
         sum(iif(k.kind = 'RASX_MOVE', k.dal, 0)) as rasx_move,
         sum(iif(k.kind = 'RASX_OTHER', k.dal, 0)) as rasx_other
    from kinds k
   group by k.sub_id, k.vidprod_kod, k.manuf_id, k.goods_id)
select v.name as VIDPROD_NAME,
       r.vidprod_kod as VIDPROD_KOD,
       r.sub_id as SUPERPLACE_CL_ID,
       r.manuf_id as MANUF_ID,
       cast(coalesce(iif(m.legal_name <> '', m.legal_name, m.name_clients), '') as varchar(250)) as MANUF_NAME,
       cast(coalesce(m.inn_clients, '') as varchar(12)) as MANUF_INN,
       cast(coalesce(m.kpp, '') as varchar(9)) as MANUF_KPP,
       g.articul as ARTICUL,
       g.name as GOODNAME,
       cast(iif(r.goods_id is null, null, coalesce(g.netto, 0)) as double precision) as NETTO,
       cast(iif(prm.only_move = 1, 0, round(r.ost_begin, prm.prec)) as double precision) as OST_BEGIN,
       cast(round(r.prix_proiz, prm.prec) as double precision) as PRIX_PROIZ,
       cast(round(r.prix_opt, prm.prec) as double precision) as PRIX_OPT,
       cast(round(r.prix_import, prm.prec) as double precision) as PRIX_IMPORT,
       cast(round(r.prix_ret, prm.prec) as double precision) as PRIX_RET,
       cast(round(r.prix_move, prm.prec) as double precision) as PRIX_MOVE,
       cast(round(r.prix_other, prm.prec) as double precision) as PRIX_OTHER,
       cast(round(r.rasx_rozn, prm.prec) as double precision) as RASX_ROZN,
       cast(round(r.rasx_ret, prm.prec) as double precision) as RASX_RET,
       cast(round(r.rasx_move, prm.prec) as double precision) as RASX_MOVE,
       cast(round(r.rasx_other, prm.prec) as double precision) as RASX_OTHER
  from grp r
  cross join prm
  join vidprod v on v.kod = r.vidprod_kod
  left join clients m on m.id_clients = r.manuf_id
  left join goods g on g.id = r.goods_id
 where r.moves > 0
    or (prm.only_move = 0 and (r.ost_units <> 0 or round(r.ost_begin, prm.prec) <> 0))
 order by r.sub_id, r.vidprod_kod, r.manuf_id, g.articul, r.goods_id
