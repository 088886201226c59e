#pragma once

// The declared quarter of a year.

#include <string>

#include "host/calendar/date_time.h"

namespace core {

// The declared quarter of a year: its first and last day. Item 0..3 of the period choice is
// quarter 1..4; any other item counts as quarter 4.
struct ReportingPeriod {
    host::DateTime first;
    host::DateTime last;
};

// `yearValue` is truncated to a whole year; one outside 0..65535, or one that makes no date,
// throws host::DateRangeError.
ReportingPeriod reportingPeriod(double yearValue, int quarterIndex);

// The quarter's code as the declaration's name and header give it: "03", "06", "09", "00"; empty
// for an item that is no quarter.
std::string periodCode(int quarterIndex);

// The quarter's last day, the as-of date of the licence lookups.
host::DateTime quarterEnd(double yearValue, int quarterIndex);

}  // namespace core
