#pragma once

// A report template as loaded.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/host_api.h"
#include "host/report/prepared_report.h"

namespace host {

// A report template as loaded: declarative, written as JSON (see report_template.cpp for the
// keys). Every text in it is kept in windows-1251, the code page the datasets and variables
// speak, so that comparisons and lookups meet on equal terms; it becomes UTF-8 only when placed on
// a prepared page.

struct TemplateText {
    double left = 0;
    double top = 0;  // millimetres from the band's top
    double width = 0;
    double height = 0;
    std::string text;  // literal text mixed with [expressions]
    double fontSize = 10;
    bool bold = false;
    TextAlign align = TextAlign::Left;
    TextVAlign valign = TextVAlign::Top;
    FrameLines frame;
    std::string visibleWhen;  // an expression; empty: always shown
};

struct TemplateBand {
    std::string name;
    double height = 0;
    bool visible = true;
    // When given, decides the band's visibility each time it is about to print, replacing
    // `visible`: the template's own way of showing optional sections by a variable.
    std::string visibleWhen;
    bool startNewPage = false;
    // A section or group header printed again on every page its rows continue on.
    bool repeatOnNewPage = false;
    std::vector<TemplateText> texts;
    std::unique_ptr<TemplateBand> child;  // printed right below the band whenever the band prints
};

// A group level of a data section: a new group starts wherever the condition's value changes
// between consecutive rows (the rows are taken in their dataset's order, not sorted).
struct TemplateGroup {
    std::string condition;
    std::unique_ptr<TemplateBand> header;
    std::unique_ptr<TemplateBand> footer;
};

// A master data band bound to a dataset by its user name, with its group levels, outermost
// first, and an optional row filter.
struct TemplateDataSection {
    std::string dataset;
    std::string filter;
    // Sort keys of the section's rows; empty: the dataset's own order.
    std::vector<std::string> orderBy;
    std::vector<TemplateGroup> groups;
    std::unique_ptr<TemplateBand> header;  // once before the section's first row
    std::unique_ptr<TemplateBand> band;    // once per row
    std::unique_ptr<TemplateBand> footer;  // once after the last row
    bool printIfEmpty = false;             // header and footer also for a section without rows
};

struct HOST_API ReportTemplate {
    std::string name;      // UTF-8, unlike the texts
    std::string fileStem;  // set by loading from a file
    double pageWidth = 210;
    double pageHeight = 297;
    double marginLeft = 10;
    double marginTop = 10;
    double marginRight = 10;
    double marginBottom = 10;
    // Variables the template defines, name → expression text; set ones replace them.
    std::vector<std::pair<std::string, std::string>> variables;
    std::unique_ptr<TemplateBand> pageHeader;
    std::unique_ptr<TemplateBand> pageFooter;
    std::unique_ptr<TemplateBand> reportTitle;
    std::unique_ptr<TemplateBand> reportSummary;
    std::vector<TemplateDataSection> sections;
};

// Parses a template from its JSON text; `origin` names it in error messages. Throws ReportError.
HOST_API ReportTemplate parseReportTemplate(const std::string& jsonText, const std::string& origin);

}  // namespace host
