/* Separate subdivisions of the organization - the client cards its storage places are declared
   under. Group_by_superplace 1 takes the card of the place group first, 0 the own card of the place;
   a place with neither belongs to the organization itself. The list does not depend on the
   period, so a subdivision without movements still gets its block. */
with prm as (
  select cast(:From_name_id as integer) as org_id,
         cast(:Group_by_superplace as integer) as by_group
    from rdb$database),
subs as (
  select distinct iif(prm.by_group = 1, ps.sub_group, ps.sub_own) as cl_id
    from prm
    join v_place_subdiv ps on ps.org_id = prm.org_id)
select c.id_clients as CL_ID,
       cast(iif(c.legal_name <> '', c.legal_name, c.name_clients) as varchar(250)) as CL_NAME,
       c.kpp as CL_KPP,
       a.country_kod as CL_COUNTRY_KOD,
       a.post_index as CL_POST_INDEX,
       a.region_kod as CL_REGION,
       a.district_name as CL_DISTRICT,
       a.city_clear as CL_CITY_CLEAR,
       a.nas_punkt as CL_NAS_PUNKT,
       a.street_name as CL_STREET,
       a.house_clear as CL_HOUSE_CLEAR,
       a.building as CL_BUILDING,
       a.appartment as CL_APPARTMENT,
       c.inn_clients as CL_INN,
       a.address as CL_ADDRESS
  from subs s
  join clients c on c.id_clients = s.cl_id
  left join client_address(1, s.cl_id) a on 1 = 1
 order by c.id_clients
