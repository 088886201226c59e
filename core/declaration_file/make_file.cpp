// Writing the declaration file: its name, checks before collection, header and organization.
#include <cmath>
#include <filesystem>
#include <random>

#include "core/organization_lookups.h"
#include "core/declaration_file/text_forming.h"
#include "core/declaration_facts.h"
#include "core/declaration_frame.h"
#include "core/reporting_period.h"
#include "host/data/hostapi.h"
#include "host/data/main_dm.h"
#include "host/text/cp1251.h"

namespace core {

using host::W;
using host::XMLCheckStr;

namespace {

std::string freshGuid() {
    std::random_device entropy;
    std::uniform_int_distribution<int> nibble(0, 15);
    static const char kHex[] = "0123456789ABCDEF";
    std::string guid;
    for (int i = 0; i < 32; ++i) {
        if (i == 8 || i == 12 || i == 16 || i == 20) guid += '-';
        int digit = nibble(entropy);
        if (i == 12) digit = 4;                   // a random GUID
        if (i == 16) digit = 8 | (digit & 3);     // of the standard variant
        guid += kHex[digit];
    }
    return guid;
}

// Leading and trailing blanks and control characters go.
std::string trimmed(std::string text) {
    std::size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    std::size_t last = text.size();
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

std::string licenceDate(const host::Variant& value) {
    return value.isNullOrEmpty() ? std::string("00.00.0000") : host::formatDate(value.toDateTime());
}

std::string quotedEscaped(const std::string& text) { return DoubleQuotedStr(XMLCheckStr(text)); }

struct BodySourcesGuard {
    DeclarationFrame& frame;
    void (*close)(DeclarationFrame&) noexcept;
    ~BodySourcesGuard() { close(frame); }
};

}  // namespace

// The address lines of the declaration: the elements on one line, each after a lone CR.
std::string addressLine(const std::vector<std::string>& values) {
    static const char* const kElements[] = {"КодСтраны", "Индекс", "КодРегион", "Район", "Город",
                                            "НаселПункт", "Улица",   "Дом",       "Корпус"};
    static const std::vector<std::string> kNames = [] {
        std::vector<std::string> names;
        for (const char* name : kElements) names.push_back(W(name));
        names.push_back(W("Кварт"));
        return names;
    }();
    static const std::string kLetter = W("<Литера />");
    std::string line;
    for (std::size_t i = 0; i < 10; ++i) {
        if (i == 9) line += kLetter + '\r';
        line += "<" + kNames[i] + ">" + XMLCheckStr(values[i]) + "</" + kNames[i] + ">";
        if (i < 9) line += '\r';
    }
    return line;
}

DeclarationFrame::TaxpayerNumbers DeclarationFrame::taxpayerNumbers(const OrganizationLookups& lookups) const {
    TaxpayerNumbers numbers;
    if (profile_.combinedInnKppLookup) {
        const host::Variant row = lookups.innKppAndEntrepreneurMark();
        if (row.isArray() && row.array().size() >= 3) {
            numbers.inn = apostrophesReplaced(lookupText(row.array()[0]));
            numbers.kpp = apostrophesReplaced(lookupText(row.array()[1]));
            numbers.entrepreneur = !row.array()[2].isNullOrEmpty() && row.array()[2].toInteger() != 0;
        }
    } else {
        numbers.inn = apostrophesReplaced(lookupText(lookups.inn()));
        numbers.kpp = apostrophesReplaced(lookupText(lookups.kpp()));
    }
    if (profile_.kppFitted) numbers.kpp = CellString(numbers.kpp, kKppWidth);
    return numbers;
}

std::string DeclarationFrame::declarationPath(const std::string& inn) const {
    const auto& c = controls_;
    const std::string yearText = c.seYear.text();
    std::string directory = c.dePath.text();
    if (!directory.empty() && directory.back() != '/' && directory.back() != '\\') directory += '/';
    const std::string today = host::formatDateCompact(host::MainDM().Today());
    return directory + std::string(profile_.filePrefix) + inn + "_" + periodCode(c.rgTypePeriod.itemIndex()) +
           (yearText.size() >= 4 ? yearText.substr(3, 1) : std::string{}) + "_" + today + "_" + freshGuid() + ".xml";
}

DeclarationFileError::DeclarationFileError(const std::string& path)
    : std::runtime_error(W("Не удалось создать файл ") + '\r' + host::nameInMessage(path)) {}

// The INN becomes part of the file's name: one that could lead the name out of the chosen
// directory, or that no file name can hold, stops the run before the collection. The directory
// is tried too, by creating the file's temporary part and removing it again.
void DeclarationFrame::checkBeforeCollection() {
    if (controls_.rgReportKind.itemIndex() != kDeclarationFile) return;
    const OrganizationLookups lookups{ByNameClientId,
                                      quarterEnd(controls_.seYear.value(), controls_.rgTypePeriod.itemIndex())};
    const std::string inn = taxpayerNumbers(lookups).inn;
    for (const char ch : inn) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch != '/' && ch != '\\' && byte >= 0x20 && byte != 0x7F) continue;
        std::string shown;
        for (const char c : inn) {
            const auto b = static_cast<unsigned char>(c);
            if (b < 0x20 || b == 0x7F) {
                char code[8];
                std::snprintf(code, sizeof code, "\\x%02X", b);
                shown += code;
            } else {
                shown += c;
            }
        }
        throw std::runtime_error(W("Организация ") + lookupText(lookups.name()) + " (ID_CLIENTS " +
                                 std::to_string(ByNameClientId) + W("): ИНН \"") + shown +
                                 W("\" не может быть частью имени файла декларации: в нем есть \"/\", \"\\\" "
                                   "или управляющий символ."));
    }
    const std::string path = declarationPath(inn);
    try {
        DeclarationWriter probe(path);
    } catch (const DeclarationWriter::CannotCreate&) {
        throw DeclarationFileError(path);
    }
}

void DeclarationFrame::MakeFile() {
    const auto& c = controls_;
    const int quarter = c.rgTypePeriod.itemIndex();
    const std::string code = periodCode(quarter);
    const std::string yearText = c.seYear.text();
    OrganizationLookups lookups{ByNameClientId, quarterEnd(c.seYear.value(), quarter)};

    const TaxpayerNumbers numbers = taxpayerNumbers(lookups);
    const std::string& inn = numbers.inn;
    const std::string& kpp = numbers.kpp;
    const bool entrepreneur = numbers.entrepreneur;
    const std::string path = declarationPath(inn);

    std::unique_ptr<DeclarationWriter> file;
    try {
        file = std::make_unique<DeclarationWriter>(path);
    } catch (const DeclarationWriter::CannotCreate&) {
        throw DeclarationFileError(path);
    }
    DeclarationWriter& out = *file;
    const FileContext context{static_cast<int>(std::trunc(c.seCalcPrecision.value())), entrepreneur};

    out.line(W("<?xml version =\"1.0\" encoding =\"windows-1251\"?>"));
    openBodySources();
    const BodySourcesGuard guard{*this, [](DeclarationFrame& frame) noexcept { frame.closeBodySources(); }};

    out.text(W("<Файл")).attribute(W("ДатаДок"), host::formatDate(host::MainDM().Today()));
    out.text(W(" ВерсФорм=\"") + kFormatVersion + "\" ").line(W("НаимПрог=\"") + kProgramName + "\">");
    if (profile_.referencePlace == ReferencePlace::AfterFileLine) writeReferenceBlock(out, context);

    out.text(W("<ФормаОтч"));
    out.text(" ").attribute(W("НомФорм"), XMLCheckStr(profile_.formNumber));
    out.text(" ").attribute(W("ПризПериодОтч"), code.size() == 2 ? code.substr(1) : std::string{});
    out.attribute(W("ГодПериодОтч"), XMLCheckStr(yearText)).line(">");
    if (c.cbVidDoc.itemIndex() == kCorrectiveDocument)
        out.text(W("<Корректирующая"))
            .attribute(W("НомерКорр"), std::to_string(static_cast<long long>(std::trunc(c.seCorrNumber.value()))))
            .line("/>");
    else
        out.line(W("<Первичная />"));
    out.line(W("</ФормаОтч>"));
    if (profile_.referencePlace == ReferencePlace::AfterFormHeader) writeReferenceBlock(out, context);

    out.line(W("<Документ>"));
    writeOrganization(out, lookups, inn, kpp, entrepreneur);
    writeDataSection(out, context);
    out.line(W("</Документ>"));
    out.line(W("</Файл>"));
    out.commit();
    setProducedPath(std::filesystem::absolute(path).string());
}

void DeclarationFrame::writeOrganization(DeclarationWriter& out, const OrganizationLookups& lookups,
                                         const std::string& inn, const std::string& kpp, bool entrepreneur) {
    const auto& c = controls_;
    std::string licenceNumber;
    if (profile_.licenceBlock) {
        licenceNumber = apostrophesReplaced(lookupText(lookups.licenceNumber()));
        if (licenceNumber.empty()) licenceNumber = "-";
    }
    const std::string name = XMLCheckStr(host::upperCp1251(lookupText(lookups.name())));
    const std::string phone = XMLCheckStr(host::upperCp1251(lookupText(lookups.phone()).substr(0, 20)));
    std::vector<std::string> address;
    for (const auto& value : lookups.fileAddress()) address.push_back(lookupText(value));

    out.line(W("<Организация>"));
    out.text(W("<Реквизиты"));
    if (profile_.legalRequisites) {
        out.attribute(W("НаимЮЛ"), name);
        out.attribute(W("ИННЮЛ"), XMLCheckStr(inn));
        out.attribute(W("КППЮЛ"), XMLCheckStr(kpp));
    } else {
        out.attribute(W("НаимОрг"), name);
    }
    out.attribute(W("ТелОрг"), phone);
    out.text(W(" EmailОтпр=\"\">")).lineBreak();
    out.line(W("<АдрОрг>"));
    out.line(addressLine(address));
    out.line(W("</АдрОрг>"));
    switch (profile_.organizationChild) {
        case OrganizationChild::None: break;
        case OrganizationChild::LegalEntityOrEntrepreneur:
            if (entrepreneur)
                out.text(W("<ФЛ")).attribute(W("ИННФЛ"), XMLCheckStr(inn)).text("/>");
            else
                out.text(W("<ЮЛ")).attribute(W("ИННЮЛ"), XMLCheckStr(inn)).attribute(W("КППЮЛ"), XMLCheckStr(kpp)).text("/>");
            break;
        case OrganizationChild::LegalEntity:
            out.text(W("<ЮЛ")).attribute(W("ИННЮЛ"), XMLCheckStr(inn)).attribute(W("КППЮЛ"), XMLCheckStr(kpp)).line("/>");
            break;
    }
    out.line(W("</Реквизиты>"));

    auto person = [&out](const char* element, const char* fam, const char* nameTag, const char* otc,
                         const Edit& a, const Edit& b, const Edit& d) {
        out.line(W(element));
        for (auto [tag, edit] : {std::pair{fam, &a}, std::pair{nameTag, &b}, std::pair{otc, &d}}) {
            const std::string open = W(tag);
            out.line("<" + open + ">" + quotedEscaped(host::upperCp1251(edit->text())) + "</" + open + ">");
        }
    };
    out.line(W("<ОтветЛицо>"));
    person("<Руководитель>", "Фамилия", "Имя", "Отчество", c.edRukFam, c.edRukName, c.edRukOtc);
    out.line(W("</Руководитель>"));
    person("<Главбух>", "Фамилия", "Имя", "Отчество", c.edBuhFam, c.edBuhName, c.edBuhOtc);
    out.line(W("</Главбух>"));
    out.line(W("</ОтветЛицо>"));

    if (profile_.licenceBlock) {
        out.line(W("<Деятельность>"));
        out.line(W("<Лицензируемая>"));
        out.text(W("<Лицензия "));
        const host::Variant kind = lookups.activityKind();
        std::string activity = "-";
        if (!kind.isNullOrEmpty()) {
            char buf[24];
            std::snprintf(buf, sizeof buf, "%2lld", static_cast<long long>(kind.toInteger()));
            activity = buf;
            for (char& ch : activity)
                if (ch == ' ') ch = '0';
        }
        out.attribute(W("ВидДеят"), XMLCheckStr(activity));
        out.attribute(W("СерНомЛиц"), XMLCheckStr(host::upperCp1251(trimmed(licenceNumber.substr(0, 50)))));
        out.attribute(W("ДатаНачЛиц"), licenceDate(lookups.licenceStart()));
        out.attribute(W("ДатаОконЛиц"), licenceDate(lookups.licenceEnd()));
        out.line(" />");
        out.line(W("</Лицензируемая>"));
        out.line(W("</Деятельность>"));
    }
    out.line(W("</Организация>"));
}

}  // namespace core
