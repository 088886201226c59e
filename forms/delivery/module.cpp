// The form 06 plug-in module.
#include "core/module_unit.h"
#include "forms/delivery/report_frame.h"

ZORVIC_REPORT_MODULE(forms::delivery::TZorvicDeliveryReport)
