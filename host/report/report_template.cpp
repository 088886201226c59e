// Loading a report template from its JSON text.
#include "host/report/report_template.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <initializer_list>

#include "host/report/report_error.h"
#include "host/text/cp1251.h"

// The template keys, all optional unless said:
//   name                      the report's name
//   page: size ("A3", "A4", "A5"), orientation ("portrait", "landscape"), or width and height in
//         millimetres; margins: left, top, right, bottom in millimetres
//   variables: { NAME: expression text }
//   pageHeader, pageFooter, reportTitle, reportSummary: a band
//   data: [ { dataset (required), filter, orderBy: [ expression ],
//             groups: [ { condition (required), header, footer } ],
//             header, band (required), footer, printIfEmpty } ]
// orderBy sorts the section's rows by the expressions' values (numbers by value, texts by their
// windows-1251 bytes, empty values first), keeping the dataset's order among equal rows.
// A band: name, height (required), visible, visibleWhen, startNewPage, repeatOnNewPage,
// texts: [ text ], child.
// A data section's header and its group headers always go to the page where their first row
// prints; with repeatOnNewPage such a header is printed again below the page header of every page
// its section or group continues on.
// startNewPage begins a new page unless nothing but the page header is on the current one yet;
// visibleWhen, when given, decides instead of visible each time the band is about to print.
// A text: left, top, width, height (required), text, fontSize, bold, align ("left", "center",
// "right"), valign ("top", "center", "bottom"), frame ("all", "none" or a list of "left",
// "top", "right", "bottom"), visibleWhen.

namespace host {
namespace {

using nlohmann::json;

class Parser {
public:
    explicit Parser(std::string origin) : origin_(std::move(origin)) {}

    ReportTemplate parse(const json& root) {
        expectObject(root, "the template");
        allowOnly(root, "the template",
                  {"name", "page", "variables", "pageHeader", "pageFooter", "reportTitle", "reportSummary", "data"});
        ReportTemplate t;
        // The name only titles the prepared report, whose texts are UTF-8; it stays as written.
        t.name = text(root, "name", "");
        if (!t.name.empty()) t.name = root.at("name").get<std::string>();
        if (root.contains("page")) page(root.at("page"), t);
        if (root.contains("variables")) {
            const json& vars = root.at("variables");
            expectObject(vars, "variables");
            for (const auto& [name, value] : vars.items()) {
                if (!value.is_string()) fail("variable " + name + " must be an expression text");
                t.variables.emplace_back(cp(name), cp(value.get<std::string>()));
            }
        }
        t.pageHeader = optionalBand(root, "pageHeader");
        t.pageFooter = optionalBand(root, "pageFooter");
        t.reportTitle = optionalBand(root, "reportTitle");
        t.reportSummary = optionalBand(root, "reportSummary");
        if (root.contains("data")) {
            const json& data = root.at("data");
            if (!data.is_array()) fail("data must be a list of data sections");
            for (const json& s : data) t.sections.push_back(section(s));
        }
        return t;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw ReportError("report template " + origin_ + ": " + what);
    }

    std::string cp(const std::string& utf8) const {
        try {
            return utf8ToCp1251(utf8);
        } catch (const EncodingError& e) {
            fail(e.what());
        }
    }

    void expectObject(const json& j, const std::string& what) const {
        if (!j.is_object()) fail(what + " must be an object");
    }

    void allowOnly(const json& j, const std::string& what, std::initializer_list<const char*> keys) const {
        for (const auto& [key, value] : j.items()) {
            (void)value;
            if (std::none_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; }))
                fail(what + " has an unknown key \"" + key + "\"");
        }
    }

    std::string text(const json& j, const char* key, const std::string& fallback) const {
        if (!j.contains(key)) return fallback;
        if (!j.at(key).is_string()) fail(std::string(key) + " must be a text");
        return cp(j.at(key).get<std::string>());
    }

    double number(const json& j, const char* key, double fallback, bool required = false) const {
        if (!j.contains(key)) {
            if (required) fail(std::string(key) + " is missing");
            return fallback;
        }
        if (!j.at(key).is_number()) fail(std::string(key) + " must be a number");
        const double v = j.at(key).get<double>();
        if (v < 0) fail(std::string(key) + " must not be negative");
        return v;
    }

    bool flag(const json& j, const char* key, bool fallback) const {
        if (!j.contains(key)) return fallback;
        if (!j.at(key).is_boolean()) fail(std::string(key) + " must be true or false");
        return j.at(key).get<bool>();
    }

    void page(const json& p, ReportTemplate& t) const {
        expectObject(p, "page");
        allowOnly(p, "page", {"size", "orientation", "width", "height", "margins"});
        const std::string size = text(p, "size", "A4");
        if (size == "A4") {
            t.pageWidth = 210, t.pageHeight = 297;
        } else if (size == "A3") {
            t.pageWidth = 297, t.pageHeight = 420;
        } else if (size == "A5") {
            t.pageWidth = 148, t.pageHeight = 210;
        } else {
            fail("unknown page size \"" + size + "\"");
        }
        t.pageWidth = number(p, "width", t.pageWidth);
        t.pageHeight = number(p, "height", t.pageHeight);
        const std::string orientation = text(p, "orientation", "portrait");
        if (orientation == "landscape") {
            if (t.pageWidth < t.pageHeight) std::swap(t.pageWidth, t.pageHeight);
        } else if (orientation != "portrait") {
            fail("unknown page orientation \"" + orientation + "\"");
        }
        if (p.contains("margins")) {
            const json& m = p.at("margins");
            expectObject(m, "margins");
            allowOnly(m, "margins", {"left", "top", "right", "bottom"});
            t.marginLeft = number(m, "left", t.marginLeft);
            t.marginTop = number(m, "top", t.marginTop);
            t.marginRight = number(m, "right", t.marginRight);
            t.marginBottom = number(m, "bottom", t.marginBottom);
        }
        if (t.marginLeft + t.marginRight >= t.pageWidth || t.marginTop + t.marginBottom >= t.pageHeight)
            fail("the margins leave no room on the page");
    }

    std::unique_ptr<TemplateBand> optionalBand(const json& j, const char* key) const {
        if (!j.contains(key)) return nullptr;
        return band(j.at(key), key);
    }

    std::unique_ptr<TemplateBand> band(const json& j, const std::string& what) const {
        expectObject(j, what);
        allowOnly(j, what,
                  {"name", "height", "visible", "visibleWhen", "startNewPage", "repeatOnNewPage", "texts", "child"});
        auto b = std::make_unique<TemplateBand>();
        b->name = text(j, "name", "");
        const std::string label = b->name.empty() ? what : "band " + b->name;
        b->height = number(j, "height", 0, true);
        b->visible = flag(j, "visible", true);
        b->visibleWhen = text(j, "visibleWhen", "");
        b->startNewPage = flag(j, "startNewPage", false);
        b->repeatOnNewPage = flag(j, "repeatOnNewPage", false);
        if (j.contains("texts")) {
            if (!j.at("texts").is_array()) fail(label + ": texts must be a list");
            for (const json& t : j.at("texts")) b->texts.push_back(textObject(t, label));
        }
        if (j.contains("child")) b->child = band(j.at("child"), label + " child");
        return b;
    }

    TemplateText textObject(const json& j, const std::string& label) const {
        expectObject(j, label + " text");
        allowOnly(j, label + " text",
                  {"left", "top", "width", "height", "text", "fontSize", "bold", "align", "valign", "frame",
                   "visibleWhen"});
        TemplateText t;
        t.left = number(j, "left", 0);
        t.top = number(j, "top", 0);
        t.width = number(j, "width", 0, true);
        t.height = number(j, "height", 0, true);
        t.text = text(j, "text", "");
        t.fontSize = number(j, "fontSize", 10);
        if (t.fontSize <= 0) fail(label + ": fontSize must be positive");
        t.bold = flag(j, "bold", false);
        const std::string align = text(j, "align", "left");
        if (align == "left") t.align = TextAlign::Left;
        else if (align == "center") t.align = TextAlign::Center;
        else if (align == "right") t.align = TextAlign::Right;
        else fail(label + ": unknown align \"" + align + "\"");
        const std::string valign = text(j, "valign", "top");
        if (valign == "top") t.valign = TextVAlign::Top;
        else if (valign == "center") t.valign = TextVAlign::Center;
        else if (valign == "bottom") t.valign = TextVAlign::Bottom;
        else fail(label + ": unknown valign \"" + valign + "\"");
        if (j.contains("frame")) t.frame = frame(j.at("frame"), label);
        t.visibleWhen = text(j, "visibleWhen", "");
        return t;
    }

    FrameLines frame(const json& j, const std::string& label) const {
        FrameLines f;
        if (j.is_string()) {
            const std::string all = j.get<std::string>();
            if (all == "all") return {true, true, true, true};
            if (all == "none") return f;
            fail(label + ": unknown frame \"" + all + "\"");
        }
        if (!j.is_array()) fail(label + ": frame must be \"all\", \"none\" or a list of sides");
        for (const json& side : j) {
            const std::string s = side.is_string() ? side.get<std::string>() : std::string();
            if (s == "left") f.left = true;
            else if (s == "top") f.top = true;
            else if (s == "right") f.right = true;
            else if (s == "bottom") f.bottom = true;
            else fail(label + ": unknown frame side \"" + s + "\"");
        }
        return f;
    }

    TemplateDataSection section(const json& j) const {
        expectObject(j, "a data section");
        allowOnly(j, "a data section", {"dataset", "filter", "orderBy", "groups", "header", "band", "footer", "printIfEmpty"});
        TemplateDataSection s;
        s.dataset = text(j, "dataset", "");
        if (s.dataset.empty()) fail("a data section has no dataset");
        const std::string label = "data section " + s.dataset;
        s.filter = text(j, "filter", "");
        if (j.contains("orderBy")) {
            const json& order = j.at("orderBy");
            if (!order.is_array()) fail(label + ": orderBy must be a list of expressions");
            for (const json& e : order) {
                if (!e.is_string() || e.get<std::string>().empty()) fail(label + ": orderBy must be a list of expressions");
                s.orderBy.push_back(cp(e.get<std::string>()));
            }
        }
        if (j.contains("groups")) {
            if (!j.at("groups").is_array()) fail(label + ": groups must be a list");
            for (const json& g : j.at("groups")) {
                expectObject(g, label + " group");
                allowOnly(g, label + " group", {"condition", "header", "footer"});
                TemplateGroup group;
                group.condition = text(g, "condition", "");
                if (group.condition.empty()) fail(label + ": a group has no condition");
                group.header = optionalBand(g, "header");
                group.footer = optionalBand(g, "footer");
                s.groups.push_back(std::move(group));
            }
        }
        s.header = optionalBand(j, "header");
        if (!j.contains("band")) fail(label + " has no band");
        s.band = band(j.at("band"), label + " band");
        s.footer = optionalBand(j, "footer");
        s.printIfEmpty = flag(j, "printIfEmpty", false);
        return s;
    }

    std::string origin_;
};

}  // namespace

ReportTemplate parseReportTemplate(const std::string& jsonText, const std::string& origin) {
    json root;
    try {
        root = json::parse(jsonText);
    } catch (const json::parse_error& e) {
        throw ReportError("report template " + origin + " is not valid JSON: " + e.what());
    }
    return Parser(origin).parse(root);
}

}  // namespace host
