// Converting the host's variant values.
#include "host/data/variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace host {

std::string Variant::toText() const {
    struct Visitor {
        std::string operator()(Empty) const { return {}; }
        std::string operator()(Null) const { return {}; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%.15g", v);
            return buf;
        }
        std::string operator()(DateTime v) const { return formatDate(v); }
        std::string operator()(const std::string& v) const { return v; }
        std::string operator()(const Array&) const { throw std::invalid_argument("an array has no text"); }
    };
    return std::visit(Visitor{}, value_);
}

double Variant::toDouble() const {
    struct Visitor {
        double operator()(Empty) const { return 0; }
        double operator()(Null) const { return 0; }
        double operator()(std::int64_t v) const { return static_cast<double>(v); }
        double operator()(double v) const { return v; }
        double operator()(DateTime v) const { return v.days; }
        double operator()(const std::string& v) const {
            char* end = nullptr;
            const double d = std::strtod(v.c_str(), &end);
            if (v.empty() || end != v.c_str() + v.size())
                throw std::invalid_argument("\"" + v + "\" is not a number");
            return d;
        }
        double operator()(const Array&) const { throw std::invalid_argument("an array is not a number"); }
    };
    return std::visit(Visitor{}, value_);
}

std::int64_t Variant::toInteger() const {
    if (isInteger()) return std::get<std::int64_t>(value_);
    return static_cast<std::int64_t>(std::trunc(toDouble()));
}

DateTime Variant::toDateTime() const {
    if (isDate()) return std::get<DateTime>(value_);
    if (isText()) return parseDate(text());
    return DateTime{toDouble()};
}

}  // namespace host
