// Exporting a prepared report as HTML.
#include <cstdio>
#include <sstream>

#include "host/files/replacing_file.h"
#include "host/report/page_sink.h"
#include "host/report/report_export.h"
#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"
#include "host/text/xml_escape.h"

namespace host {
namespace {

// As in XML, and a line break of the text is one on the page too.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : XMLCheckStr(text)) {
        if (c == '\n')
            out += "<br>";
        else
            out += c;
    }
    return out;
}

std::string mm(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2fmm", v);
    return buf;
}

const char* border(bool on) { return on ? "0.2mm solid #000" : "none"; }

}  // namespace

void exportToHtml(const ReportPages& pages, const std::string& path) {
    ReplacingFile file(path);
    std::ostringstream out;
    out << "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" << escaped(pages.name())
        << "</title>\n<style>\n"
           "body { background: #888; margin: 0; }\n"
           ".page { position: relative; background: #fff; margin: 5mm auto; overflow: hidden; "
           "page-break-after: always; font-family: 'DejaVu Sans', Arial, sans-serif; }\n"
           ".t { position: absolute; box-sizing: border-box; overflow: hidden; display: flex; "
           "flex-direction: column; white-space: pre-wrap; line-height: 1.15; }\n"
           "@media print { body { background: none; } .page { margin: 0; } }\n"
           "</style>\n</head>\n<body>\n";
    // Page by page: memory stays at one page's text, and a stop is noticed at the next page.
    enterStage(RunStage::Exporting);
    const std::string pageStyle = "width: " + mm(pages.pageWidth()) + "; height: " + mm(pages.pageHeight());
    PageFunction writePage([&](const PreparedPage& page) {
        throwIfStopRequested();
        advanceStage();
        out << "<div class=\"page\" style=\"" << pageStyle
            << ";\">\n";
        for (const PreparedText& t : page.texts) {
            const char* justify = t.valign == TextVAlign::Top ? "flex-start"
                                  : t.valign == TextVAlign::Center ? "center" : "flex-end";
            const char* align = t.align == TextAlign::Left ? "left" : t.align == TextAlign::Center ? "center" : "right";
            out << "<div class=\"t\" style=\"left: " << mm(t.left) << "; top: " << mm(t.top) << "; width: "
                << mm(t.width) << "; height: " << mm(t.height) << "; font-size: " << t.fontSize
                << "pt; text-align: " << align << "; justify-content: " << justify
                << (t.bold ? "; font-weight: bold" : "") << "; border-left: " << border(t.frame.left)
                << "; border-top: " << border(t.frame.top) << "; border-right: " << border(t.frame.right)
                << "; border-bottom: " << border(t.frame.bottom) << ";\"><span>" << escaped(t.text)
                << "</span></div>\n";
        }
        out << "</div>\n";
        file.write(out.view());
        out.str({});
    });
    pages.walk(writePage);
    out << "</body>\n</html>\n";
    file.write(out.view());
    file.commit();
}

}  // namespace host
