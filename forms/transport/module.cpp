// The form 08 plug-in module.
#include "core/module_unit.h"
#include "forms/transport/report_frame.h"

ZORVIC_REPORT_MODULE(forms::transport::TZorvicTransportReport)
