// Checking a declaration file against its form's schema with libxml2.
#include "core/checks/schema_validation.h"

#include "core/checks/xml_reading.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>
#include <memory>
#include <system_error>

namespace core::checks {

namespace embedded {
// Made from core/checks/schemas/*.xsd at build time.
std::string_view form_11_4_30();
std::string_view form_12_4_30();
std::string_view form_08_4_30();
std::string_view form_07_4_30();
std::string_view form_06_4_30();
std::string_view form_05_4_30();
}  // namespace embedded

namespace {

struct Schema {
    std::string_view form;
    std::string_view (*text)();
};

constexpr Schema kSchemas[] = {
    {"11", embedded::form_11_4_30}, {"12", embedded::form_12_4_30}, {"08", embedded::form_08_4_30},
    {"07", embedded::form_07_4_30}, {"06", embedded::form_06_4_30}, {"05", embedded::form_05_4_30},
};

const xmlChar* xmlText(const char* text) { return reinterpret_cast<const xmlChar*>(text); }
std::string text(const xmlChar* value) { return value ? reinterpret_cast<const char*>(value) : std::string{}; }

using xml::kParseOptions;
using xml::Owned;
using xml::ErrorArgument;

// What follows `lead` up to the next quote: the names libxml2's messages quote.
std::string quotedAfter(const std::string& message, std::string_view lead) {
    const std::size_t start = message.find(lead);
    if (start == std::string::npos) return {};
    const std::size_t from = start + lead.size();
    const std::size_t end = message.find('\'', from);
    return end == std::string::npos ? std::string{} : message.substr(from, end - from);
}

void collect(void* data, const xmlError* error) {
    if (error == nullptr || error->level == XML_ERR_NONE) return;
    auto& problems = *static_cast<std::vector<SchemaProblem>*>(data);
    SchemaProblem problem;
    problem.message = xml::message(*error);
    // The validator names the node it was at: an element, or an attribute of one.
    auto* node = static_cast<xmlNode*>(error->node);
    if (node != nullptr && node->type == XML_ATTRIBUTE_NODE) {
        problem.attribute = text(node->name);
        node = node->parent;
    }
    // The file is read as a stream: the node's earlier siblings are gone, so its path is found
    // afterwards (placeByLine), from its name and line.
    if (node != nullptr && node->type == XML_ELEMENT_NODE) {
        problem.element = text(node->name);
        // Past 65535 only the node's own count holds the line.
        problem.line = static_cast<int>(xmlGetLineNo(node));
    }
    if (problem.line <= 0) problem.line = std::max(error->line, 0);
    if (problem.element.empty()) problem.element = quotedAfter(problem.message, "Element '");
    if (problem.attribute.empty()) problem.attribute = quotedAfter(problem.message, "attribute '");
    // The schemas name each identity constraint "element.attribute".
    if (problem.attribute.empty()) {
        std::string constraint = quotedAfter(problem.message, "keyref '");
        if (constraint.empty()) constraint = quotedAfter(problem.message, "identity-constraint '");
        if (const std::size_t dot = constraint.rfind('.'); dot != std::string::npos)
            problem.attribute = constraint.substr(dot + 1);
    }
    problems.push_back(std::move(problem));
}

void onError(void* problems, ErrorArgument error) { collect(problems, error); }

// The parser hands its handler the parser context, which carries the problems in _private.
void onParseError(void* context, ErrorArgument error) { collect(static_cast<xmlParserCtxt*>(context)->_private, error); }

void ignoreError(void*, ErrorArgument) {}

// The problems tell of an element by its name and line: the element of that name that starts on
// that line is the one, and its path is given as libxml2 writes one ("/Файл/Справочники/
// Поставщики[3]/ЮЛ": a position where the parent has more than one child of the name). A second
// pass over the file, made only when there are problems; whether a later sibling has the same
// name is known only when the parent ends, so each level keeps its parent's counts.
void placeByLine(const std::string& path, std::vector<SchemaProblem>& problems) {
    using Counts = std::map<std::string, int>;
    struct Step {
        std::string name;
        int position = 0;
        std::shared_ptr<Counts> siblings;  // the parent's children by name, complete when it ends
        std::shared_ptr<Counts> children = std::make_shared<Counts>();
    };
    std::map<std::pair<long, std::string>, std::vector<Step>> found;
    // A reference to no listed id is told when the list's scope ends, at that line: the element is
    // the one of that name whose attribute holds the value, the nth such for the nth problem.
    // A value listed twice is told of its second holder, the first is skipped.
    struct Waiting {
        std::deque<SchemaProblem*> problems;
        int skip = 0;
    };
    std::map<std::tuple<std::string, std::string, std::string>, Waiting> references;
    std::map<std::string, std::set<std::string>> referenceAttributes;
    for (SchemaProblem& problem : problems) {
        if (problem.element.empty() || problem.element.front() == '/') continue;
        if (std::string value = quotedAfter(problem.message, "key-sequence ['"); !value.empty() && !problem.attribute.empty()) {
            Waiting& waiting = references[{problem.element, problem.attribute, std::move(value)}];
            waiting.problems.push_back(&problem);
            waiting.skip = problem.message.find("Duplicate key-sequence") != std::string::npos ? 1 : 0;
            referenceAttributes[problem.element].insert(problem.attribute);
        } else if (problem.line > 0) {
            found.emplace(std::pair{static_cast<long>(problem.line), problem.element}, std::vector<Step>{});
        }
    }
    if (found.empty() && references.empty()) return;
    const Owned<xmlTextReader> reader(xmlReaderForFile(path.c_str(), nullptr, kParseOptions));
    if (!reader) return;
    xmlTextReaderSetStructuredErrorHandler(reader.get(), ignoreError, nullptr);
    std::vector<Step> open;
    auto top = std::make_shared<Counts>();
    while (xmlTextReaderRead(reader.get()) == 1) {
        const int type = xmlTextReaderNodeType(reader.get());
        if (type == XML_READER_TYPE_END_ELEMENT) {
            if (!open.empty()) open.pop_back();
            continue;
        }
        if (type != XML_READER_TYPE_ELEMENT) continue;
        const auto depth = static_cast<std::size_t>(std::max(xmlTextReaderDepth(reader.get()), 0));
        if (open.size() > depth) open.resize(depth);
        Step step;
        step.name = text(xmlTextReaderConstName(reader.get()));
        step.siblings = open.empty() ? top : open.back().children;
        step.position = ++(*step.siblings)[step.name];
        open.push_back(std::move(step));
        const long line = xmlGetLineNo(xmlTextReaderCurrentNode(reader.get()));
        if (const auto at = found.find({line, open.back().name}); at != found.end() && at->second.empty())
            at->second = open;
        if (const auto names = referenceAttributes.find(open.back().name); names != referenceAttributes.end())
            for (const std::string& attribute : names->second) {
                const Owned<xmlChar> value(xmlTextReaderGetAttribute(reader.get(), xmlText(attribute.c_str())));
                if (!value) continue;
                const auto waiting = references.find({open.back().name, attribute, text(value.get())});
                if (waiting == references.end() || waiting->second.problems.empty()) continue;
                if (waiting->second.skip > 0) {
                    --waiting->second.skip;
                    continue;
                }
                SchemaProblem& problem = *waiting->second.problems.front();
                waiting->second.problems.pop_front();
                problem.line = static_cast<int>(line);
                found.emplace(std::pair{line, problem.element}, open);
            }
        if (xmlTextReaderIsEmptyElement(reader.get())) open.pop_back();
    }
    for (SchemaProblem& problem : problems) {
        const auto at = found.find({static_cast<long>(problem.line), problem.element});
        if (at == found.end() || at->second.empty()) continue;
        std::string place;
        for (const Step& step : at->second) {
            place += "/" + step.name;
            if (step.siblings->at(step.name) > 1) place += "[" + std::to_string(step.position) + "]";
        }
        problem.element = place;
    }
}

SchemaProblem fileProblem(std::string message) { return {0, {}, {}, std::move(message)}; }

// A path that names no readable regular file, said before libxml2 would say it less clearly.
std::optional<SchemaProblem> unreadable(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return fileProblem("Файл декларации не найден: " + path);
    if (error) return fileProblem("Файл декларации недоступен: " + path + " (" + error.message() + ")");
    if (status.type() != std::filesystem::file_type::regular)
        return fileProblem("Не файл, а " +
                           std::string(status.type() == std::filesystem::file_type::directory ? "каталог" : "особый файл") +
                           ": " + path);
    return std::nullopt;
}

// What the parser says of a file that is not well-formed XML, from a parse that builds nothing
// and goes on to the end, so that a file cut short says so; none for a well-formed one.
std::vector<SchemaProblem> wellFormedProblems(const std::string& path) {
    const Owned<xmlParserCtxt> parser(xmlNewParserCtxt());
    if (!parser) return {fileProblem("Не хватило памяти для разбора файла " + path)};
    std::vector<SchemaProblem> problems;
    parser->_private = &problems;
    xmlSAXHandler& sax = *parser->sax;
    sax.serror = onParseError;
    sax.internalSubset = nullptr;
    sax.startDocument = nullptr;
    sax.endDocument = nullptr;
    sax.startElement = nullptr;
    sax.endElement = nullptr;
    sax.startElementNs = nullptr;
    sax.endElementNs = nullptr;
    sax.reference = nullptr;
    sax.characters = nullptr;
    sax.cdataBlock = nullptr;
    sax.ignorableWhitespace = nullptr;
    sax.processingInstruction = nullptr;
    sax.comment = nullptr;
    const Owned<xmlDoc> none(xmlCtxtReadFile(parser.get(), path.c_str(), nullptr, kParseOptions));
    if (!parser->wellFormed && problems.empty()) problems.push_back(fileProblem("Файл не прочитан как XML: " + path));
    return problems;
}

// The validator's and the parser's problems apart: a file that is not well-formed is told by the
// parser alone, what the schema said of the part before is beside the point.
struct ValidationProblems {
    std::vector<SchemaProblem> schema;
    std::vector<SchemaProblem> parse;
};

void onValidationError(void* data, ErrorArgument error) {
    auto& problems = *static_cast<ValidationProblems*>(data);
    collect(error != nullptr && error->domain == XML_FROM_SCHEMASV ? &problems.schema : &problems.parse, error);
}

std::vector<SchemaProblem> check(const std::string& path, std::optional<std::string> form) {
    xmlInitParser();
    std::vector<SchemaProblem> problems;
    if (auto problem = unreadable(path)) return {*problem};

    if (!form) form = declaredForm(path);
    // A file that does not say its form may not be XML at all: that is the more useful thing to say.
    if (!form) {
        if (auto notXml = wellFormedProblems(path); !notXml.empty()) return notXml;
    }
    if (!form) return {fileProblem("В файле не указан номер формы (ФормаОтч, НомФорм): " + path)};
    const std::string_view schemaText = declarationSchema(*form);
    if (schemaText.empty())
        return {fileProblem("Для формы \"" + *form + "\" нет схемы формата " +
                            std::string(kSchemaFormatVersion))};

    const Owned<xmlSchemaParserCtxt> schemaParser(
        xmlSchemaNewMemParserCtxt(schemaText.data(), static_cast<int>(schemaText.size())));
    if (!schemaParser) return {fileProblem("Не хватило памяти для схемы формы " + *form)};
    std::vector<SchemaProblem> schemaProblems;
    xmlSchemaSetParserStructuredErrors(schemaParser.get(), onError, &schemaProblems);
    const Owned<xmlSchema> schema(xmlSchemaParse(schemaParser.get()));
    if (!schema) {
        // A schema the program carries that does not compile is the program's fault, said as such.
        for (SchemaProblem& problem : schemaProblems) problem.message = "Схема формы " + *form + ": " + problem.message;
        if (schemaProblems.empty()) schemaProblems.push_back(fileProblem("Схема формы " + *form + " не разобрана"));
        return schemaProblems;
    }
    const Owned<xmlSchemaValidCtxt> validator(xmlSchemaNewValidCtxt(schema.get()));
    if (!validator) return {fileProblem("Не хватило памяти для проверки по схеме")};
    // Validated as the file is parsed, in one pass that builds no tree: a chain's quarter is a file
    // of tens of megabytes, whose tree would take ten times that. The parser's own complaints go to
    // the thread's handler, set for the length of the pass.
    ValidationProblems found;
    xmlSchemaSetValidStructuredErrors(validator.get(), onValidationError, &found);
    xmlSetStructuredErrorFunc(&found, onValidationError);
    const int result = xmlSchemaValidateFile(validator.get(), path.c_str(), kParseOptions);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!found.parse.empty()) return found.parse;
    problems = std::move(found.schema);
    if (result < 0 && problems.empty()) problems.push_back(fileProblem("Проверка по схеме прервана внутренней ошибкой"));
    if (result > 0 && problems.empty()) problems.push_back(fileProblem("Файл не соответствует схеме формы " + *form));
    placeByLine(path, problems);
    // Identity constraints are told when their scope closes, after the elements that follow.
    std::stable_sort(problems.begin(), problems.end(),
                     [](const SchemaProblem& a, const SchemaProblem& b) { return a.line < b.line; });
    return problems;
}

}  // namespace

std::string describe(const SchemaProblem& problem) {
    std::string text;
    auto part = [&text](const std::string& piece) {
        if (piece.empty()) return;
        if (!text.empty()) text += ", ";
        text += piece;
    };
    if (problem.line > 0) part("строка " + std::to_string(problem.line));
    part(problem.element);
    if (!problem.attribute.empty()) part("атрибут " + problem.attribute);
    return text.empty() ? problem.message : text + ": " + problem.message;
}

const std::vector<std::string_view>& schemaForms() {
    static const std::vector<std::string_view> kForms = [] {
        std::vector<std::string_view> forms;
        for (const Schema& schema : kSchemas) forms.push_back(schema.form);
        return forms;
    }();
    return kForms;
}

std::string_view declarationSchema(std::string_view form) {
    for (const Schema& schema : kSchemas)
        if (schema.form == form) return schema.text();
    return {};
}

std::optional<std::string> declaredForm(const std::string& path) {
    if (unreadable(path)) return std::nullopt;
    xmlInitParser();
    const Owned<xmlTextReader> reader(xmlReaderForFile(path.c_str(), nullptr, kParseOptions));
    if (!reader) return std::nullopt;
    // What is wrong with the file is the full check's to say; here it only ends the reading.
    xmlTextReaderSetStructuredErrorHandler(reader.get(), ignoreError, nullptr);
    while (xmlTextReaderRead(reader.get()) == 1) {
        if (xmlTextReaderNodeType(reader.get()) != XML_READER_TYPE_ELEMENT) continue;
        const std::string name = text(xmlTextReaderConstName(reader.get()));
        // The form header comes before the document, wherever the reference block stands.
        if (name == "Документ") break;
        if (name != "ФормаОтч") continue;
        const Owned<xmlChar> number(xmlTextReaderGetAttribute(reader.get(), xmlText("НомФорм")));
        if (!number) break;
        return text(number.get());
    }
    return std::nullopt;
}

std::vector<SchemaProblem> validateDeclaration(const std::string& path, std::string_view form) {
    return check(path, std::string(form));
}

std::vector<SchemaProblem> validateDeclaration(const std::string& path) { return check(path, std::nullopt); }

}  // namespace core::checks
