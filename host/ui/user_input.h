#pragma once

// A user's change of one control.

#include <optional>
#include <string>

#include "host/host_api.h"
#include "host/ui/control.h"

namespace host::ui {

// A user's change of one control, from its text form (UTF-8): an item index for radio groups and
// lists, a number for spin edits (an empty text empties the field), true/false for check boxes,
// text for edits and the directory picker. A user can only do what the page allows, so a value
// out of range, too long a text, a disabled or hidden control, or one without a value is
// refused: the reason comes back and the control is left as it was. Otherwise the value is set
// and the control's handler runs.
HOST_API std::optional<std::string> applyUserValue(Control& control, const std::string& utf8Value);

}  // namespace host::ui
