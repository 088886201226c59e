// The declared quarter's first and last day.
#include "core/reporting_period.h"

#include <cmath>
#include <string>

namespace core {
namespace {

int wholeYear(double yearValue) {
    const double year = std::trunc(yearValue);
    if (!(year >= 0 && year <= 65535))
        throw host::DateRangeError("the year " + std::to_string(static_cast<long long>(year)) +
                                   " is out of range 0..65535");
    return static_cast<int>(year);
}

int monthsAfterJanuary(int quarterIndex) {
    switch (quarterIndex) {
        case 0: return 0;
        case 1: return 3;
        case 2: return 6;
        default: return 9;
    }
}

}  // namespace

ReportingPeriod reportingPeriod(double yearValue, int quarterIndex) {
    const int year = wholeYear(yearValue);
    const int shift = monthsAfterJanuary(quarterIndex);
    // From 31 January the day is cut to each month's end: 31 March, 30 June, 30 September.
    return ReportingPeriod{host::incMonth(host::encodeDate(year, 1, 1), shift),
                           host::incMonth(host::encodeDate(year, 1, 31), shift + 2)};
}

std::string periodCode(int quarterIndex) {
    switch (quarterIndex) {
        case 0: return "03";
        case 1: return "06";
        case 2: return "09";
        case 3: return "00";
        default: return {};
    }
}

host::DateTime quarterEnd(double yearValue, int quarterIndex) { return reportingPeriod(yearValue, quarterIndex).last; }

}  // namespace core
