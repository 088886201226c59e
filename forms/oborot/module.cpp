// The form 05 plug-in module.
#include "core/module_unit.h"
#include "forms/oborot/report_frame.h"

ZORVIC_REPORT_MODULE(forms::oborot::TZorvicOborotReport)
