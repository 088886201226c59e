#pragma once

// Where the pages of a report go as they are laid out.

#include <utility>

#include "host/report/prepared_report.h"

namespace host {

// Takes each page once it is finished, in order; the page is gone after the call, so a sink that
// keeps it keeps a copy.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void takePage(const PreparedPage& page) = 0;
};

// A sink that calls a function with each page.
template <typename Take>
class PageFunction final : public PageSink {
public:
    explicit PageFunction(Take take) : take_(std::move(take)) {}
    void takePage(const PreparedPage& page) override { take_(page); }

private:
    Take take_;
};

}  // namespace host
