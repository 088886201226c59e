#pragma once

// Checking a written declaration file against the schema of its form and format version.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core::checks {

// The format version the carried schemas describe.
inline constexpr std::string_view kSchemaFormatVersion = "4.30";

// One thing the check found. Texts are UTF-8, as the XML library gives them (the element and
// attribute names are the file's own); host::utf8ToCp1251 makes host text of them.
struct SchemaProblem {
    int line = 0;           // 1-based, by line feeds; an element's is where its start tag ends; 0: no place
    std::string element;    // the element's path in the file ("/Файл/Документ/ОбъемОборота[2]"), or its name alone
    std::string attribute;  // the attribute the problem is about, when there is one
    std::string message;

    bool operator==(const SchemaProblem&) const = default;
};

// "строка 25, /Файл/Справочники/Поставщики[3]/ЮЛ, атрибут П000000000009: <message>" — the parts
// that are known.
std::string describe(const SchemaProblem& problem);

// The forms that have a schema: "11", "12", "08", "07", "06", "05".
const std::vector<std::string_view>& schemaForms();

// The schema's text of `form`; empty for a form without one.
std::string_view declarationSchema(std::string_view form);

// The form number the file declares (НомФорм of ФормаОтч), read up to that element; nothing
// when the file cannot be read that far or declares none.
std::optional<std::string> declaredForm(const std::string& path);

// The file (a path in the system's encoding) checked against the schema of `form`: the problems
// in the order of their lines, none when the file is valid. A file that is missing, unreadable
// or not well-formed XML is a problem too, as is a form without a schema.
std::vector<SchemaProblem> validateDeclaration(const std::string& path, std::string_view form);

// The same against the schema of the form the file itself declares.
std::vector<SchemaProblem> validateDeclaration(const std::string& path);

}  // namespace core::checks
