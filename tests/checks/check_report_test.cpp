// The check's report as the program prints it: the text's grouping and order, and the page's
// escaping.
#include <gtest/gtest.h>

#include "app/check_report.h"
#include "host/text/cp1251.h"

namespace {

using core::checks::Findings;
using core::checks::Severity;
using core::checks::Where;
using host::W;

TEST(CheckReport, TextGroupsBySeverityThenSubdivisionWithTheOrganizationFirst) {
    Findings findings;
    findings.add(Severity::Warning, "empty-line", Where{W("Склад"), {}, W("строка")}, W("пусто"), W("убрать"));
    findings.add(Severity::Error, "kpp-shape", Where{W("Склад"), {W("Опт"), "1", ""}, W("карточка")}, W("плохой"), {});
    findings.add(Severity::Error, "schema", Where{{}, {}, W("файл")}, W("схема"), W("исправить"));
    findings.add(Severity::Error, "kpp-shape", Where{W("Склад"), {}, W("другая")}, W("снова"), {});
    EXPECT_EQ(app::findingsAsText(findings),
              "ОШИБКИ (3)\n"
              "  Организация\n"
              "    - файл: схема [schema]\n"
              "      Что сделать: исправить\n"
              "  Подразделение: Склад\n"
              "    - Опт, ИНН 1 — карточка: плохой [kpp-shape]\n"
              "    - другая: снова [kpp-shape]\n"
              "ПРЕДУПРЕЖДЕНИЯ (1)\n"
              "  Подразделение: Склад\n"
              "    - строка: пусто [empty-line]\n"
              "      Что сделать: убрать\n"
              "Ошибок: 3, предупреждений: 1.\n");
    EXPECT_EQ(app::findingsAsText(Findings{}), "Ошибок и предупреждений нет.\n");
}

TEST(CheckReport, ThePageEscapesEveryText) {
    Findings findings;
    findings.add(Severity::Error, "schema", Where{W("<b>"), {W("\"A&B\""), "", ""}, "x"}, "<script>", "");
    const std::string html = app::findingsAsHtml(findings, {"pZorvicBuy", "07", 1});
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;"), std::string::npos);
    EXPECT_NE(html.find("&quot;A&amp;B&quot;"), std::string::npos);
}

}  // namespace
