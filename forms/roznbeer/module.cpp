// The form 12 plug-in module.
#include "core/module_unit.h"
#include "forms/roznbeer/report_frame.h"

ZORVIC_REPORT_MODULE(forms::roznbeer::TZorvicRoznBeerReport)
