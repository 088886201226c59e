#pragma once

// How failures of the desktop tests show Qt's texts: as text, not as UTF-16 units.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
