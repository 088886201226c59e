#pragma once

// The host's date-time and the calendar functions over it.

#include <string>

#include "host/host_api.h"

namespace host {

// A point in time as the host's data access hands it over: days since 30 December 1899, the
// fraction being the time of day. Day 0 is what an absent date turns into when it is read as a
// number, which is why "30.12.1899" can appear in a declaration.
struct DateTime {
    double days = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

class HOST_API DateRangeError : public std::exception {
public:
    explicit DateRangeError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Throws DateRangeError when the parts do not form a date of the years 1..9999.
HOST_API DateTime encodeDate(int year, int month, int day);
HOST_API CivilDate decodeDate(DateTime value);
HOST_API bool isLeapYear(int year);
HOST_API int daysInMonth(int year, int month);

// Moves a date by whole months; a day the target month lacks becomes that month's last day.
HOST_API DateTime incMonth(DateTime value, int months);

// "dd.mm.yyyy", the short date format of the declarations.
HOST_API std::string formatDate(DateTime value);
// "ddmmyyyy", as the declaration file name carries it.
HOST_API std::string formatDateCompact(DateTime value);
// Reads "dd.mm.yyyy"; throws DateRangeError naming the text when it is not such a date.
HOST_API DateTime parseDate(const std::string& text);

HOST_API DateTime today();

}  // namespace host
