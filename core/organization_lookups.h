#pragma once

// The organization's requisites as the host database answers them, for the declaration file and
// the print form alike.

#include <string>
#include <vector>

#include "host/calendar/date_time.h"
#include "host/data/variant.h"

namespace core {

// Each lookup sends its SELECT exactly as written here, with the client's identifier (and for
// the licence view the as-of date) appended.
struct OrganizationLookups {
    int client;
    host::DateTime asOf;

    host::Variant inn() const;
    host::Variant kpp() const;
    // INN, KPP and the entrepreneur mark in one row (form 12).
    host::Variant innKppAndEntrepreneurMark() const;
    host::Variant licenceNumber() const;
    host::Variant name() const;
    host::Variant phone() const;
    // The ten address columns of the declaration file; throws when the host answers no row.
    std::vector<host::Variant> fileAddress() const;
    host::Variant activityKind() const;
    host::Variant licenceStart() const;
    host::Variant licenceEnd() const;

    // The print form's address row: index, region, district, settlement, street, house; with
    // `withLine` the one-line address too.
    host::Variant printAddress(bool withLine) const;
    // 1 for an individual entrepreneur.
    host::Variant entrepreneurMark() const;
    host::Variant licenceSphereName() const;
    host::Variant licenceSeries() const;
    host::Variant licenceNumberOnly() const;

private:
    std::string id() const;
    std::string licenceView(const char* column) const;
};

// Text of a lookup's answer; Null and Empty are the empty text.
std::string lookupText(const host::Variant& value);

}  // namespace core
