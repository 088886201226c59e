// Host texts for the window.
#include "desk/host_text.h"

#include "host/text/cp1251.h"

namespace desk {

QString hostText(const std::string& cp1251) { return QString::fromStdString(host::cp1251ToUtf8(cp1251)); }

}  // namespace desk
