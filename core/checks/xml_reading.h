// What the checks' readings of declaration files with libxml2 share: the parse options, the
// owners of the library's objects, and its messages as text.
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlreader.h>
#include <libxml/xmlschemas.h>
#include <libxml/xmlversion.h>

#include <memory>
#include <string>

namespace core::checks::xml {

// No network: a declaration refers to nothing outside itself. Lines are counted past 65535.
inline constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES;

// libxml2 before 2.12 hands its error handlers a non-const error.
#if LIBXML_VERSION >= 21200
using ErrorArgument = const xmlError*;
#else
using ErrorArgument = xmlError*;
#endif

struct Free {
    void operator()(xmlChar* p) const { xmlFree(p); }
    void operator()(xmlDoc* p) const { xmlFreeDoc(p); }
    void operator()(xmlParserCtxt* p) const { xmlFreeParserCtxt(p); }
    void operator()(xmlSchemaParserCtxt* p) const { xmlSchemaFreeParserCtxt(p); }
    void operator()(xmlSchema* p) const { xmlSchemaFree(p); }
    void operator()(xmlSchemaValidCtxt* p) const { xmlSchemaFreeValidCtxt(p); }
    void operator()(xmlTextReader* p) const { xmlFreeTextReader(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, Free>;

// The error's message without the line feed and blanks the library ends it with.
inline std::string message(const xmlError& error) {
    std::string text = error.message ? error.message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace core::checks::xml
