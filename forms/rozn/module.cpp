// The form 11 plug-in module.
#include "core/module_unit.h"
#include "forms/rozn/report_frame.h"

ZORVIC_REPORT_MODULE(forms::rozn::TZorvicRoznReport)
