// The print form of a declaration: the form's template filled with the organization's
// requisites, the page's choices and the work tables, handed to the preview.
#include "core/declaration_frame.h"
#include "core/print_form/print_variables.h"
#include "core/reporting_period.h"
#include "host/data/main_dm.h"

namespace core {

void DeclarationFrame::PrintReport() {
    const ParametersPage& c = controls_;
    const host::DateTime asOf = quarterEnd(c.seYear.value(), c.rgTypePeriod.itemIndex());
    // Loaded before any variable is set, so that the template's own values do not replace ours.
    // A missing template fails the preparing, naming the file, so a form with nothing to print
    // still ends quietly; one that cannot be read or parsed fails here.
    frReport.loadFromFile(host::HostConfig().ReportPath() + std::string(profile_.printTemplate), false);
    const PrintVariableKind kind{profile_.printAddressLineAndEntrepreneur, profile_.retailOptions};
    setOrganizationVariables(frReport.variables(), ByNameClientId, asOf, kind);
    setPageVariables(frReport.variables(), c, kind);
    prepareAndShow(frReport, printDatasets());
}

}  // namespace core
