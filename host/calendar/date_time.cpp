// The host's date-times: encoding, decoding, month steps, formatting and parsing.
#include "host/calendar/date_time.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace host {
namespace {

namespace chr = std::chrono;

// 1899-12-30 in days since the Unix epoch.
constexpr int kEpochOffset = -25569;

int serialOf(int year, int month, int day) {
    const chr::year_month_day ymd{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                  chr::day{static_cast<unsigned>(day)}};
    return static_cast<int>(chr::sys_days{ymd}.time_since_epoch().count()) - kEpochOffset;
}

}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

DateTime encodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%d.%d.%d is not a valid date", day, month, year);
        throw DateRangeError(buf);
    }
    return DateTime{static_cast<double>(serialOf(year, month, day))};
}

CivilDate decodeDate(DateTime value) {
    const auto whole = static_cast<int>(std::floor(value.days));
    const chr::year_month_day ymd{chr::sys_days{chr::days{whole + kEpochOffset}}};
    return CivilDate{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                     static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

DateTime incMonth(DateTime value, int months) {
    const CivilDate d = decodeDate(value);
    const int total = d.year * 12 + (d.month - 1) + months;
    const int year = total / 12;
    const int month = total % 12 + 1;
    const int day = std::min(d.day, daysInMonth(year, month));
    const double timeOfDay = value.days - std::floor(value.days);
    return DateTime{encodeDate(year, month, day).days + timeOfDay};
}

std::string formatDate(DateTime value) {
    const CivilDate d = decodeDate(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
    return buf;
}

std::string formatDateCompact(DateTime value) {
    const CivilDate d = decodeDate(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%02d%04d", d.day, d.month, d.year);
    return buf;
}

DateTime parseDate(const std::string& text) {
    int day = 0, month = 0, year = 0;
    char tail = 0;
    if (text.size() != 10 || std::sscanf(text.c_str(), "%2d.%2d.%4d%c", &day, &month, &year, &tail) != 3 ||
        text[2] != '.' || text[5] != '.')
        throw DateRangeError("\"" + text + "\" is not a date of the form DD.MM.YYYY");
    return encodeDate(year, month, day);
}

DateTime today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace host
