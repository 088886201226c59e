// Validating the parameters page before a generate.
#include "core/declaration_frame.h"
#include "host/text/cp1251.h"

namespace core {

// Each line ends with a lone carriage return, after whatever the base frame reported.
std::string DeclarationFrame::GetErrorMessage(const std::string& text) {
    std::string result = TReportFrame::GetErrorMessage(text);
    if (controls_.seYear.text().empty()) result += host::W("Не выбран отчетный год") + '\r';
    if (ByNameClientId == -1) result += host::W("Не выбран клиент \"От имени\"") + '\r';
    return result;
}

}  // namespace core
