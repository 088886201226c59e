// Tests of the findings of a declaration: counts, order and exit status.
#include <gtest/gtest.h>

#include "core/checks/finding.h"
#include "host/text/cp1251.h"

namespace {

using namespace core::checks;

Finding finding(Severity severity, const char* rule, const char* subdivision) {
    return Finding{severity, rule, Where{host::W(subdivision), {}, {}}, host::W("что не так"), host::W("что делать")};
}

TEST(Findings, ExitStatusAndCounts) {
    Findings findings;
    EXPECT_EQ(findings.exitStatus(), 0);
    findings.add(finding(Severity::Warning, "inn-check-digit", ""));
    EXPECT_EQ(findings.exitStatus(), 4);
    findings.add(finding(Severity::Warning, "same-inn-kpp", ""));
    findings.add(finding(Severity::Error, "kpp-letters", ""));
    EXPECT_EQ(findings.exitStatus(), 3);
    EXPECT_EQ(findings.errors(), 1u);
    EXPECT_EQ(findings.warnings(), 2u);
    EXPECT_EQ(findings.size(), 3u);
}

TEST(Findings, SortBySeverityThenSubdivisionKeepingTheOrderFound) {
    Findings findings;
    findings.add(finding(Severity::Warning, "w-yablonka", "Яблонька"));
    findings.add(finding(Severity::Error, "e-magazin-2", "Магазин №2"));
    findings.add(finding(Severity::Error, "e-avrora", "Аврора"));
    findings.add(finding(Severity::Warning, "w-org", ""));
    findings.add(finding(Severity::Error, "e-magazin-1", "Магазин №1"));
    findings.add(finding(Severity::Error, "e-org", ""));
    findings.add(finding(Severity::Error, "e-avrora-2", "Аврора"));
    findings.add(finding(Severity::Error, "e-bar", "Bar"));  // Latin before Cyrillic
    findings.sort();
    std::vector<std::string> rules;
    for (const Finding& f : findings.items()) rules.push_back(f.rule);
    // The organization's own first; Cyrillic in the alphabet's order (which windows-1251 bytes
    // keep only when compared unsigned); two of one subdivision in the order found.
    EXPECT_EQ(rules, (std::vector<std::string>{"e-org", "e-bar", "e-avrora", "e-avrora-2", "e-magazin-1", "e-magazin-2",
                                               "w-org", "w-yablonka"}));
    EXPECT_EQ(findings.exitStatus(), 3);
}


}  // namespace
