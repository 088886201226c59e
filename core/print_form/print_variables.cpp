// Setting the variables a print form is given.
#include "core/print_form/print_variables.h"

#include <cmath>
#include <vector>

#include "core/declaration_facts.h"
#include "core/declaration_file/text_forming.h"
#include "core/organization_lookups.h"
#include "core/reporting_period.h"
#include "host/data/hostapi.h"

namespace core {
namespace {

using host::Variant;

// Looked-up text may hold apostrophes; they become double quotes, never a broken literal.
std::string lookedUp(const Variant& value) { return "'" + apostrophesReplaced(value.toText()) + "'"; }

std::string padded(const std::string& text, std::size_t width) { return "'" + CellString(text, width) + "'"; }

std::string wholeNumber(double value) { return std::to_string(static_cast<long long>(std::trunc(value))); }

}  // namespace

std::string reportLiteral(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

void setOrganizationVariables(host::ReportVariables& variables, int client, const host::DateTime& quarterEnd,
                              const PrintVariableKind& kind) {
    const OrganizationLookups lookups{client, quarterEnd};
    auto set = [&](const char* name, const Variant& value, const std::string& formed) {
        if (!value.isNullOrEmpty()) variables.setVariable(name, Variant(formed));
    };

    Variant v = lookups.inn();
    if (!v.isNullOrEmpty() && !v.toText().empty())
        variables.setVariable("INN", Variant(padded(apostrophesReplaced(v.toText()), kPersonInnWidth)));

    v = lookups.name();
    set("FullName", v, lookedUp(v));

    v = lookups.kpp();
    if (!v.isNullOrEmpty() && !(kind.addressLineAndEntrepreneur && v.toText().empty()))
        variables.setVariable("KPP", Variant(padded(apostrophesReplaced(v.toText()), kKppWidth)));

    const Variant address = lookups.printAddress(kind.addressLineAndEntrepreneur);
    if (!address.isNullOrEmpty()) {
        static const char* const kNames[] = {"INDEX", "REGION", "DISTRICT", "CITY", "STREET", "HOUSE", "ADDRESS"};
        const std::size_t count = kind.addressLineAndEntrepreneur ? 7 : 6;
        // A one-column answer would come back as the value itself; the row's columns otherwise.
        const Variant::Array columns = address.isArray() ? address.array() : Variant::Array{address};
        for (std::size_t i = 0; i < count; ++i)
            variables.setVariable(kNames[i], Variant(lookedUp(i < columns.size() ? columns[i] : Variant())));
    }

    if (kind.addressLineAndEntrepreneur) {
        v = lookups.entrepreneurMark();
        set("IS_IP", v, lookedUp(v));
    }

    v = lookups.licenceSphereName();
    set("LIC_SFERA", v, lookedUp(v));
    v = lookups.phone();
    set("TELEFON", v, lookedUp(v));
    v = lookups.licenceSeries();
    set("LIC_SERIES", v, lookedUp(v));
    v = lookups.licenceNumberOnly();
    set("LIC_NUMBER", v, lookedUp(v));
    // Dates print in the short date format; a date text has no quote to replace.
    v = lookups.licenceStart();
    set("LIC_DATE", v, "'" + v.toText() + "'");
    v = lookups.licenceEnd();
    set("LIC_GOOD_DATE", v, "'" + v.toText() + "'");
}

void setPageVariables(host::ReportVariables& variables, const ParametersPage& page, const PrintVariableKind& kind) {
    variables.setVariable("RUKFIO", Variant(reportLiteral(page.edRukFam.text() + " " + page.edRukName.text() + " " +
                                                          page.edRukOtc.text())));
    variables.setVariable("BUHFIO", Variant(reportLiteral(page.edBuhFam.text() + " " + page.edBuhName.text() + " " +
                                                          page.edBuhOtc.text())));
    variables.setVariable("NALORGANKOD", Variant(padded(page.seNalOrganKod.text(), 4)));
    variables.setVariable("NALORGANNAME", Variant(reportLiteral(page.edNalOrganName.text())));
    const bool corrective = page.cbVidDoc.itemIndex() == kCorrectiveDocument;
    variables.setVariable("VIDDOC", Variant(corrective ? "'3'" : "'1'"));
    if (corrective) variables.setVariable("CORRNUM", Variant("'" + wholeNumber(page.seCorrNumber.value()) + "'"));
    const std::string code = periodCode(page.rgTypePeriod.itemIndex());
    variables.setVariable("OTC_PERIOD", Variant("'" + (code.empty() ? code : code.substr(1)) + "'"));
    variables.setVariable("OTC_YEAR", Variant(padded(wholeNumber(page.seYear.value()), 4)));
    if (kind.goodsSwitches) {
        const bool goods = page.cbGroupByArticul && page.cbGroupByArticul->checked();
        const bool nullNetto = page.cbShowNullNetto && page.cbShowNullNetto->checked() && page.cbShowNullNetto->enabled();
        variables.setVariable("SHOW_GOODS", Variant(goods ? "'1'" : "'0'"));
        variables.setVariable("SHOW_NULL_NETTO", Variant(nullNetto ? "'1'" : "'0'"));
    }
}

}  // namespace core
