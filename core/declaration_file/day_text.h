// A row's date as the declaration writes it, formed once for a run of rows of the same day.
#pragma once

#include <cmath>
#include <string>

#include "host/calendar/date_time.h"
#include "host/data/variant.h"

namespace core {

// The "dd.mm.yyyy" of dates that mostly repeat the previous row's: the rows of a group come by
// date, and forming the text anew for every row was a good part of writing one.
class DayText {
public:
    const std::string& operator()(const host::Variant& value) {
        const host::DateTime date = value.toDateTime();
        const double day = std::floor(date.days);
        if (!formed_ || day != day_) {
            form(date);
            day_ = day;
            formed_ = true;
        }
        return text_;
    }

private:
    // As host::formatDate() writes it; the digits by hand for the years of four digits, since
    // the general formatting was as slow as all the rest of a row.
    void form(host::DateTime date) {
        const host::CivilDate civil = host::decodeDate(date);
        if (civil.year < 1000 || civil.year > 9999) {
            text_ = host::formatDate(date);
            return;
        }
        const char digits[] = {static_cast<char>('0' + civil.day / 10),    static_cast<char>('0' + civil.day % 10),   '.',
                           static_cast<char>('0' + civil.month / 10),  static_cast<char>('0' + civil.month % 10), '.',
                           static_cast<char>('0' + civil.year / 1000), static_cast<char>('0' + civil.year / 100 % 10),
                           static_cast<char>('0' + civil.year / 10 % 10), static_cast<char>('0' + civil.year % 10)};
        text_.assign(digits, sizeof digits);
    }

    bool formed_ = false;
    double day_ = 0;
    std::string text_;
};

}  // namespace core
