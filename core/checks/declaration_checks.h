// The checks of one collected declaration before it is filed: its work tables, the page's
// options, the organization's requisites and the written file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/checks/declaration_balances.h"
#include "core/checks/finding.h"

namespace core::checks {

// The work tables a module collects into, and the form it declares.
struct FormTables {
    std::string_view module;     // "pZorvicRozn"
    std::string_view form;       // "11"
    std::string_view obosob;     // subdivisions
    std::string_view movement;   // purchases, deliveries, transports; empty for form 05
    std::string_view turnover;   // balances and turnover: forms 11, 12 and 05
};

// The tables of a module by its name ("pZorvicBuy", or a module file's name without its
// directory, "lib" and extension); null for one that is none of the six.
const FormTables* formTablesOfModule(std::string_view module);

// What the run that collected the tables chose on its page, and where its results are.
struct CheckedRun {
    const FormTables* tables = nullptr;
    std::string workDirectory;
    int client = -1;
    double year = 0;
    int quarterIndex = 0;
    int precision = 5;
    bool goodsDetail = false;   // forms 11 and 12: "Детализировать по товарам"
    bool onlyMovement = false;  // forms 11 and 12: "Не выгружать остатки"
    // The declaration written from the tables; none: the file itself is not checked.
    std::optional<std::string> declarationPath;
    // The closing balances of the quarter before, from its declaration file or collected anew;
    // none: the continuity of the balances is not checked.
    std::optional<DeclarationBalances> previousQuarter;
};

// Everything found, sorted. Reads the work tables, the host database (the organization's
// lookups, through the database the host has attached) and the file; changes none of them.
Findings checkDeclaration(const CheckedRun& run);

// The parts, each on its own; `findings` gets what each finds, in the order found.
void checkPageOptions(Findings& findings, const CheckedRun& run);
void checkOrganization(Findings& findings, const CheckedRun& run);
void checkWorkTables(Findings& findings, const CheckedRun& run);
void checkFile(Findings& findings, const std::string& path, std::string_view form);

}  // namespace core::checks
