// The body of the form 05 declaration file: no reference block; under each product kind every
// turnover row is an element of its own, whatever its producer, with the producer's requisites
// and the row's figures.
#include "core/declaration_file/data_section.h"
#include "core/declaration_file/form_names.h"
#include "forms/oborot/report_frame.h"
#include "host/data/hostapi.h"

namespace forms::oborot {

using core::GroupRow;
using host::XMLCheckStr;

TZorvicOborotReport::TZorvicOborotReport()
    : BodyFrame(kProfile),
      qClientSum("qClientSum", kClientSumSql, true),
      rows_("rows", kCollection.resultTable, core::subdivisionFilter()),
      figures_(rows_, core::wholesaleTurnoverFigures()) {
    const core::names::Shared& n = core::names::shared();
    rows_.addLevel(core::kindLevel(rows_));
    const std::size_t name = rows_.column("MANUF_NAME");
    const std::size_t inn = rows_.column("MANUF_INN");
    const std::size_t kpp = rows_.column("MANUF_KPP");
    rows_.setRow([=, this, &n](core::DeclarationWriter& out, const GroupRow& row, int number) {
        out.text(n.producer).attribute(n.number, std::to_string(number));
        out.attribute(n.producerName, XMLCheckStr(row[name].toText()));
        out.attribute(n.producerInn, XMLCheckStr(row[inn].toText()));
        const std::string producerKpp = row[kpp].toText();
        if (!producerKpp.empty()) out.attribute(n.producerKpp, XMLCheckStr(producerKpp));
        figures_.write(out, row, decimals_, true);
        out.line("/>");
    });
}

void TZorvicOborotReport::writeDataSection(core::DeclarationWriter& out, const FileContext& context) {
    const core::names::Shared& n = core::names::shared();
    decimals_ = context.decimals;
    core::writeSubdivisions(out, tblObosob, {n.turnoverVolume, n.turnoverVolumeEnd, {n.hasTurnover}}, true, rows_);
}

}  // namespace forms::oborot
