#pragma once

// Form 08's own local queries.

namespace forms::transport {

// Form 08's own local queries; the others it shares with forms 07 and 06.
inline constexpr const char* kBuyersSql =
    "select distinct buyer_id, buyer_name, buyer_inn, buyer_kpp from \"ZorvicTransport.db\"";

inline constexpr const char* kTransportSql =
    "select trans_type, trans_number, max(trans_volume) trans_volume from \"ZorvicTransport.db\" "
    "group by trans_type, trans_number";

}  // namespace forms::transport
