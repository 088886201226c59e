#pragma once

// The host's variant value.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "host/calendar/date_time.h"
#include "host/host_api.h"

namespace host {

// The value a host lookup or a dataset field hands over. Empty and Null are kept apart because
// the lookups may answer either for "no row" and the plug-ins treat both alike; text is always
// windows-1251.
class HOST_API Variant {
public:
    struct Empty { friend bool operator==(Empty, Empty) = default; };
    struct Null { friend bool operator==(Null, Null) = default; };
    using Array = std::vector<Variant>;

    Variant() = default;
    Variant(Null) : value_(Null{}) {}
    Variant(int v) : value_(std::int64_t{v}) {}
    Variant(std::int64_t v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(DateTime v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(const char* v) : value_(std::string(v)) {}
    Variant(Array v) : value_(std::move(v)) {}

    static Variant null() { return Variant(Null{}); }

    bool isEmpty() const { return std::holds_alternative<Empty>(value_); }
    bool isNull() const { return std::holds_alternative<Null>(value_); }
    bool isNullOrEmpty() const { return isEmpty() || isNull(); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(value_); }
    bool isFloat() const { return std::holds_alternative<double>(value_); }
    bool isDate() const { return std::holds_alternative<DateTime>(value_); }
    bool isText() const { return std::holds_alternative<std::string>(value_); }
    bool isArray() const { return std::holds_alternative<Array>(value_); }

    // Text as the platform's variant conversion gives it: nothing for Null and Empty, decimal
    // numbers, dates as "dd.mm.yyyy".
    std::string toText() const;
    // Numbers by value, dates as their day count, digits in text; Null and Empty are 0.
    // Throws std::invalid_argument for text that is not a number, or an array.
    double toDouble() const;
    // Truncates toward zero.
    std::int64_t toInteger() const;
    DateTime toDateTime() const;

    const Array& array() const { return std::get<Array>(value_); }
    const std::string& text() const { return std::get<std::string>(value_); }

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<Empty, Null, std::int64_t, double, DateTime, std::string, Array> value_;
};

}  // namespace host
