// Filling the work tables from the host database for the declared quarter.
#include <cmath>

#include "core/declaration_frame.h"
#include "host/data/main_dm.h"
#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"
#include "host/text/cp1251.h"
#include "host/text/names.h"

namespace core {

using host::MainDM;
using host::TMainDM;
using host::Variant;

NoDataError::NoDataError() : std::runtime_error(host::W("Отчет не содержит данных.")) {}

ReportingPeriod DeclarationFrame::period() const {
    return reportingPeriod(controls_.seYear.value(), controls_.rgTypePeriod.itemIndex());
}

Variant DeclarationFrame::parameterValue(const std::string& name, const ReportingPeriod& period) const {
    auto is = [&name](const char* known) { return host::sameName(name, known); };
    auto flag = [](bool on) { return Variant(on ? 1 : 0); };
    const auto& c = controls_;
    if (is("Report_ID")) return Variant(MainDM().GetReportId());
    if (is("Owner_ID")) return Variant(MainDM().OwnerId);
    if (is("From_name_id")) return Variant(ByNameClientId);
    if (is("Group_by_superplace")) return flag(c.cbSuperplace.checked());
    if (is("Date_First")) return Variant(period.first);
    if (is("Date_Last")) return Variant(period.last);
    if (is("Calc_precision")) return Variant(static_cast<std::int64_t>(std::trunc(c.seCalcPrecision.value())));
    if (is("Manuf_kind") && c.rgManufacturer) return Variant(c.rgManufacturer->itemIndex());
    if (is("Vidprod_kind") && c.rgVidProd) return Variant(c.rgVidProd->itemIndex());
    if (profile_.retailOptions) {
        if (is("use_sel_clients")) return flag(c.cbUseSelClients->checked());
        if (is("group_by_articul")) return flag(c.cbGroupByArticul->checked());
        // A tick the page has disabled does not count.
        if (is("show_null_netto")) return flag(c.cbShowNullNetto->checked() && c.cbShowNullNetto->enabled());
        if (is("only_move")) return flag(c.cbOnlyMove->checked());
    }
    throw std::logic_error("the form has no value for the parameter " + name);
}

host::LocalTable& DeclarationFrame::workTable(WorkTable which) {
    switch (which) {
        case WorkTable::Obosob: return tblObosob;
        case WorkTable::Result: return tblResult;
        case WorkTable::ResultOborot: break;
    }
    if (!tblResultOborot) throw std::logic_error("the form has no turnover table");
    return *tblResultOborot;
}

void DeclarationFrame::FillDataTable() {
    TReportFrame::FillDataTable();
    const ReportingPeriod dates = period();
    bool first = true;
    for (const auto& query : plan_.queries) {
        copyHostQuery(query, dates, first);
        first = false;
    }
}

// The rows go over field by field by position. Whatever fails once the host query is open, the
// work table and the shared dataset are closed before the failure passes on; the rows posted so
// far stay in the table.
void DeclarationFrame::copyHostQuery(const HostQuery& query, const ReportingPeriod& dates, bool first) {
    auto& source = MainDM().SharedDataSet();
    source.close();
    source.setSQL(GetSQLText(query.key));
    for (const auto& name : query.parameters) source.setParam(name, parameterValue(name, dates));
    source.open();
    host::LocalTable& target = workTable(query.target);
    try {
        if (first && host::GetRecordCount(source) <= 0) throw NoDataError();
        target.open();
        const int columns = source.fieldCount();
        while (!source.eof()) {
            host::throwIfStopRequested();
            host::advanceStage();
            target.append();
            for (int i = 0; i < columns; ++i) target.setField(i, source.field(i));
            target.post();
            source.next();
        }
    } catch (...) {
        try {
            target.close();
        } catch (...) {
            // The first failure is the one to report.
        }
        source.close();
        throw;
    }
    target.close();
    source.close();
}

void DeclarationFrame::SetTMPTablesDatabaseName() {
    tblResult.setDatabaseName(MainDM().GetPath(TMainDM::WorkDirectory));
    if (tblResultOborot) tblResultOborot->setDatabaseName(MainDM().GetPath(TMainDM::WorkDirectory));
    tblObosob.setDatabaseName(MainDM().GetPath(TMainDM::WorkDirectory));
    for (host::LocalQuery* query : localQueries()) query->setDatabaseName(MainDM().GetPath(TMainDM::WorkDirectory));
    MainDM().LocalEngine().setPrivateDirectory(MainDM().GetPath(TMainDM::WorkDirectory));
}

void DeclarationFrame::DropTMPTables() {
    host::DropTable(tblResult);
    if (tblResultOborot) host::DropTable(*tblResultOborot);
    host::DropTable(tblObosob);
}

}  // namespace core
