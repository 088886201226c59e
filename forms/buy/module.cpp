// The form 07 plug-in module.
#include "core/module_unit.h"
#include "forms/buy/report_frame.h"

ZORVIC_REPORT_MODULE(forms::buy::TZorvicBuyReport)
