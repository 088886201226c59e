#pragma once

// A form's profile: what its parameters page and declaration file differ in.

#include <string_view>

#include "core/collection_plan.h"

namespace core {

// Where the form's reference block stands in the declaration file.
enum class ReferencePlace { AfterFormHeader, AfterFileLine, None };

// What follows the organization's address in its requisites.
enum class OrganizationChild { None, LegalEntityOrEntrepreneur, LegalEntity };

// What sets one declaration form's frame apart from the others: its names and the differences of
// its parameters page. Each form's folder defines its own; texts are UTF-8 source, turned into
// windows-1251 when the page is built.
struct FormProfile {
    std::string_view moduleName;   // "pZorvicRozn"
    std::string_view className;    // "TZorvicRoznReport"
    std::string_view formNumber;   // "11"
    std::string_view filePrefix;   // "R1_"

    // Forms 11 and 12: supplier selection, goods detail, null-netto and movement-only options,
    // and the client selection page driven by them and by "AlkoClientSelection".
    bool retailOptions = false;
    // All but form 08: where producer and product kind come from.
    bool producerChoice = true;
    // Form 08: the output kind is fixed on the file.
    bool fileOnly = false;
    // Forms 11, 12 and 05 start with the client selection page hidden.
    bool hidesClientsPage = false;
    // Form 05 only: "AlkoClientSelection" shows the selection page, and nothing hides it again.
    bool commonSelectionShowsPage = false;
    // Form 05 only: the base frame's "show report" box stays ticked.
    bool showReportEnabled = false;

    int startYear = 2010;
    double startCalcPrecision = 7;
    // What an empty options section gives.
    int defaultYear = 2012;
    int defaultCalcPrecision = 5;

    std::string_view groupByArticulCaption = "Детализировать по товарам (только для проверки!)";
    std::string_view rukInfoCaption = " Руководитель ";

    // The declaration file frame.
    ReferencePlace referencePlace = ReferencePlace::AfterFormHeader;
    // One lookup for INN, KPP and the entrepreneur mark instead of two (form 12).
    bool combinedInnKppLookup = false;
    bool kppFitted = true;
    // НаимЮЛ, ИННЮЛ, КППЮЛ in the requisites; otherwise НаимОрг only.
    bool legalRequisites = true;
    OrganizationChild organizationChild = OrganizationChild::None;
    bool licenceBlock = true;

    // The print form: its template file in the report directory, and (form 12) the one-line
    // address and entrepreneur mark among its variables.
    std::string_view printTemplate;
    bool printAddressLineAndEntrepreneur = false;

    // The form's work tables, host queries and clear script.
    const CollectionPlan* collection = nullptr;
};

}  // namespace core
