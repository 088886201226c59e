#pragma once

// The six declaration forms the window offers, by number and title, each with the module that
// makes it.

#include <QString>
#include <vector>

namespace desk {

struct FormEntry {
    QString number;  // "11"
    QString title;   // what the accountant calls it
    QString module;  // the plug-in that makes it: "pZorvicRozn"
};

// In the order the window lists them.
const std::vector<FormEntry>& formCatalogue();

}  // namespace desk
