#pragma once

// The local queries over the movement table of forms 08, 07 and 06.

#include <string>

namespace core {

// The local queries that forms 08, 07 and 06 read their movement table through; they differ
// only in the table.
std::string movementRowsSql(const std::string& table);
// With `withAddress` false (form 08) the counterparty's one-line address is left out.
std::string counterpartiesSql(const std::string& table, bool withAddress, bool orderedById);
std::string producersSql(const std::string& table);
std::string counterpartySumsSql(const std::string& table);

}  // namespace core
