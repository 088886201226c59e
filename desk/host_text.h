#pragma once

// The host's texts as the window shows them.

#include <QString>
#include <string>

namespace desk {

// A host text (windows-1251) as a Qt text.
QString hostText(const std::string& cp1251);

}  // namespace desk
