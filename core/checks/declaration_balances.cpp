// Reading the balances of a written declaration of form 11, 12 or 05, streamed with libxml2.
#include "core/checks/declaration_balances.h"

#include "core/checks/xml_reading.h"

#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "core/declaration_file/turnover_figures.h"
#include "core/reporting_period.h"
#include "host/text/cp1251.h"

namespace core::checks {

using host::W;

namespace {

using xml::ErrorArgument;
using xml::kParseOptions;

// The first problem the parser meets is the one to say: what follows it is its consequence.
struct ParseProblem {
    std::string message;
    int line = 0;
};

void keepFirst(void* data, ErrorArgument error) {
    auto& problem = *static_cast<std::optional<ParseProblem>*>(data);
    if (problem || error == nullptr || error->level < XML_ERR_ERROR) return;
    problem = ParseProblem{xml::message(*error), error->line};
}

[[noreturn]] void fail(const std::string& hostText) { throw BalanceFileError(hostText); }

// Host text of a file's UTF-8 text; the program writes nothing windows-1251 cannot hold.
std::string hostText(const std::string& utf8) {
    try {
        return host::utf8ToCp1251(utf8, "text");
    } catch (const host::EncodingError&) {
        fail(W("в файле есть знаки, которых нет в кодировке windows-1251: его писала не эта программа"));
    }
}

// The form's balance attributes as its writer names them (UTF-8, as libxml2 gives names).
struct BalanceAttributes {
    std::string opening;
    std::string closing;
    // Forms 11 and 12 give a producer's figures in an element below it, form 05 on it.
    bool inMovement = true;
};

std::optional<BalanceAttributes> balanceAttributes(std::string_view form) {
    std::vector<Figure> figures;
    if (form == "11") figures = retailMovementFigures(true);
    else if (form == "12") figures = retailMovementFigures(false);
    else if (form == "05") figures = wholesaleTurnoverFigures();
    else return std::nullopt;
    return BalanceAttributes{host::cp1251ToUtf8(figures.front().attribute), host::cp1251ToUtf8(figures.back().attribute),
                             form != "05"};
}

// The figure as printed; a text that is no number is no figure of this program's.
double figure(const std::string& text, const char* what, int& decimals) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        fail(W("остаток ") + W(what) + W(" \"") + hostText(text) + W("\" не число"));
    if (const auto point = text.find('.'); point != std::string::npos)
        decimals = std::max(decimals, static_cast<int>(text.size() - point - 1));
    return value;
}

class BalanceReader {
public:
    BalanceReader(const std::string& path, std::optional<std::string_view> form, std::optional<Quarter> quarter)
        : path_(path), expectedForm_(form), expectedQuarter_(quarter) {}

    DeclarationBalances read() {
        refuseUnreadable();
        xmlInitParser();
        const xml::Owned<xmlTextReader> reader(xmlReaderForFile(path_.c_str(), nullptr, kParseOptions));
        if (!reader) fail(W("файл не открыт для чтения"));
        xmlTextReaderSetStructuredErrorHandler(reader.get(), keepFirst, &problem_);
        reader_ = reader.get();
        int status = 0;
        while ((status = xmlTextReaderRead(reader_)) == 1)
            if (xmlTextReaderNodeType(reader_) == XML_READER_TYPE_ELEMENT) element();
        if (status < 0 || problem_) {
            std::string said = W("файл не прочитан как XML");
            if (problem_) {
                if (problem_->line > 0) said += W(", строка ") + std::to_string(problem_->line);
                try {
                    said += ": " + host::utf8ToCp1251(problem_->message, "message");
                } catch (const host::EncodingError&) {
                }
            }
            fail(said);
        }
        if (!headerSeen_) fail(W("это не файл декларации: в нем нет заголовка формы (ФормаОтч)"));
        return std::move(result_);
    }

private:
    void refuseUnreadable() const {
        namespace fs = std::filesystem;
        std::error_code error;
        const auto status = fs::status(path_, error);
        if (status.type() == fs::file_type::not_found) fail(W("файла нет"));
        if (error) fail(W("файл недоступен: ") + hostText(error.message()));
        if (status.type() == fs::file_type::directory) fail(W("это каталог, а не файл"));
        if (status.type() != fs::file_type::regular) fail(W("это не обычный файл"));
    }

    std::string name() const {
        const xmlChar* name = xmlTextReaderConstName(reader_);
        return name ? reinterpret_cast<const char*>(name) : std::string{};
    }

    std::optional<std::string> attribute(const char* attributeName) const {
        const xml::Owned<xmlChar> value(
            xmlTextReaderGetAttribute(reader_, reinterpret_cast<const xmlChar*>(attributeName)));
        if (!value) return std::nullopt;
        return std::string(reinterpret_cast<const char*>(value.get()));
    }
    std::string text(const char* attributeName) const { return hostText(attribute(attributeName).value_or("")); }

    void element() {
        const std::string element = name();
        const int depth = xmlTextReaderDepth(reader_);
        if (depth == 0) {
            if (element != "Файл")
                fail(W("это не файл декларации: корневой элемент ") + hostText(element) + W(", а не Файл"));
            return;
        }
        if (referenceDepth_ >= 0 && depth <= referenceDepth_) referenceDepth_ = -1;
        if (requisitesDepth_ >= 0 && depth <= requisitesDepth_) requisitesDepth_ = -1;
        if (element == "ФормаОтч") return header();
        // Forms 11 and 05 give the organization's INN on its requisites, form 12 in its ЮЛ or ФЛ.
        if (element == "Реквизиты" && result_.organizationInn.empty()) {
            requisitesDepth_ = depth;
            result_.organizationInn = text("ИННЮЛ");
            return;
        }
        if (requisitesDepth_ >= 0 && depth == requisitesDepth_ + 1 && (element == "ЮЛ" || element == "ФЛ")) {
            result_.organizationInn = text(element == "ЮЛ" ? "ИННЮЛ" : "ИННФЛ");
            return;
        }
        if (element == "Документ" && !headerSeen_) fail(W("это не файл декларации: документ без заголовка формы"));
        if (!headerSeen_ || !attributes_) return;
        if (element == "ПроизводителиИмпортеры") return referenceProducer(depth);
        if (referenceDepth_ >= 0 && depth == referenceDepth_ + 1 && (element == "ЮЛ" || element == "ФЛ")) {
            Subject& producer = references_[referenceId_];
            producer.inn = text("П000000000005");
            producer.kpp = text("П000000000006");
            return;
        }
        if (element == "ОбъемОборота") {
            subdivisionName_ = text("НаимЮЛ");
            subdivisionKpp_ = text("КППЮЛ");
            return;
        }
        if (element == "Оборот") {
            kind_ = text("П000000000003");
            return;
        }
        if (element == "СведПроизвИмпорт") {
            if (attributes_->inMovement) {
                const std::string id = text("ИдПроизвИмп");
                const auto found = references_.find(id);
                if (found == references_.end())
                    fail(W("производитель ") + id + W(" не найден в справочнике производителей файла"));
                producer_ = found->second;
            } else {
                producer_ = Subject{text("П000000000004"), text("П000000000005"), text("П000000000006")};
                figures();
            }
            return;
        }
        if (element == "Движение" && attributes_->inMovement) figures();
    }

    void header() {
        headerSeen_ = true;
        result_.form = text("НомФорм");
        if (expectedForm_ && result_.form != *expectedForm_)
            fail(W("это декларация по форме ") + result_.form + W(", а проверяется форма ") + std::string(*expectedForm_));
        attributes_ = balanceAttributes(result_.form);
        if (!attributes_) fail(W("в декларации по форме ") + result_.form + W(" нет остатков"));
        const std::string period = text("ПризПериодОтч");
        const std::string year = text("ГодПериодОтч");
        int index = -1;
        for (int i = 0; i < 4; ++i)
            if (periodCode(i).substr(1) == period) index = i;
        int yearNumber = 0;
        const auto [stop, error] = std::from_chars(year.data(), year.data() + year.size(), yearNumber);
        if (index < 0 || year.empty() || error != std::errc() || stop != year.data() + year.size())
            fail(W("в заголовке формы не квартал и год: ПризПериодОтч=\"") + period + W("\", ГодПериодОтч=\"") + year +
                 "\"");
        result_.quarter = {yearNumber, index};
        if (expectedQuarter_ && result_.quarter != *expectedQuarter_)
            fail(W("это декларация за ") + quarterText(result_.quarter) + W(", а нужна за предыдущий квартал, ") +
                 quarterText(*expectedQuarter_));
    }

    void referenceProducer(int depth) {
        referenceDepth_ = depth;
        referenceId_ = text("ИДПроизвИмп");
        // Form 11 gives the numbers on the element itself, form 12 in its ЮЛ or ФЛ.
        references_[referenceId_] = Subject{text("П000000000004"), text("П000000000005"), text("П000000000006")};
    }

    void figures() {
        BalanceLine line{subdivisionName_, subdivisionKpp_, kind_, producer_, 0, 0};
        const auto opening = attribute(attributes_->opening.c_str());
        const auto closing = attribute(attributes_->closing.c_str());
        if (!opening || !closing) {
            result_.withBalances = false;
            return;
        }
        line.opening = figure(*opening, "на начало", result_.decimals);
        line.closing = figure(*closing, "на конец", result_.decimals);
        const auto [at, added] = result_.lines.emplace(balanceKey(line), line);
        if (!added) {
            at->second.opening += line.opening;
            at->second.closing += line.closing;
        }
    }

    const std::string& path_;
    std::optional<std::string_view> expectedForm_;
    std::optional<Quarter> expectedQuarter_;
    xmlTextReader* reader_ = nullptr;
    std::optional<ParseProblem> problem_;
    bool headerSeen_ = false;
    std::optional<BalanceAttributes> attributes_;
    std::map<std::string, Subject> references_;
    int referenceDepth_ = -1;
    int requisitesDepth_ = -1;
    std::string referenceId_;
    std::string subdivisionName_, subdivisionKpp_, kind_;
    Subject producer_;
    DeclarationBalances result_;
};

}  // namespace

Quarter quarterBefore(Quarter quarter) {
    const int index = quarter.index >= 0 && quarter.index <= 3 ? quarter.index : 3;
    return index == 0 ? Quarter{quarter.year - 1, 3} : Quarter{quarter.year, index - 1};
}

std::string quarterText(Quarter quarter) {
    const int index = quarter.index >= 0 && quarter.index <= 3 ? quarter.index : 3;
    return std::to_string(index + 1) + W(" квартал ") + std::to_string(quarter.year) + W(" года");
}

std::string balanceKey(const BalanceLine& line) {
    constexpr char kApart = '\x1f';
    std::string key = line.subdivisionKpp + kApart + line.subdivisionName + kApart + line.kind + kApart;
    // A producer without numbers is told by its name alone; a name never starts with the separator.
    if (line.producer.inn.empty()) return key + kApart + line.producer.name;
    return key + line.producer.inn + kApart + line.producer.kpp;
}

DeclarationBalances readDeclarationBalances(const std::string& path) {
    return BalanceReader(path, std::nullopt, std::nullopt).read();
}

DeclarationBalances readPreviousDeclaration(const std::string& path, std::string_view form, Quarter quarter) {
    DeclarationBalances balances = BalanceReader(path, form, quarterBefore(quarter)).read();
    if (!balances.withBalances)
        fail(W("в декларации нет остатков: она сформирована с \"Не выгружать остатки\""));
    return balances;
}

}  // namespace core::checks
