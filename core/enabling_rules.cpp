// Which controls of the parameters page are enabled, by the choices made.
#include "core/declaration_facts.h"
#include "core/declaration_frame.h"

namespace core {

// The rules run in this order; a value they change fires its own handler, which may run them
// again before they return (ticking cbOnlyMove while the print form is chosen switches to the
// file, whose click handler enables the directory at once).
void DeclarationFrame::ChangeEnabled() {
    const bool toFile = controls_.rgReportKind.itemIndex() == kDeclarationFile;
    controls_.lbPath.setEnabled(toFile);
    controls_.dePath.setEnabled(toFile);

    controls_.seCorrNumber.setEnabled(controls_.cbVidDoc.itemIndex() == kCorrectiveDocument);

    if (!profile_.retailOptions) return;

    basePage("tsClients").setVisible(FClientSelection || controls_.cbUseSelClients->checked());

    // The tick stays when the box is disabled; collection passes it on only while enabled.
    controls_.cbShowNullNetto->setEnabled(controls_.cbGroupByArticul->checked());

    if (controls_.cbOnlyMove->checked()) {
        controls_.rgReportKind.setItemIndex(1);
        controls_.rgReportKind.setEnabled(false);
    } else {
        controls_.rgReportKind.setEnabled(true);
    }
}

}  // namespace core
