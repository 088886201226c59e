// Exporting a prepared report as RTF.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "host/files/replacing_file.h"
#include "host/report/page_sink.h"
#include "host/report/report_export.h"
#include "host/progress/run_progress.h"
#include "host/stop/stop_request.h"

namespace host {
namespace {

long twips(double mm) { return std::lround(mm * 1440.0 / 25.4); }

// RTF is 7-bit: anything beyond ASCII is written as \uN (N the UTF-16 unit, signed) with "?"
// for readers that do not know Unicode.
std::string rtfText(const std::string& utf8) {
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        std::uint32_t cp = c;
        int extra = 0;
        if (c >= 0xF0) cp = c & 0x07, extra = 3;
        else if (c >= 0xE0) cp = c & 0x0F, extra = 2;
        else if (c >= 0xC0) cp = c & 0x1F, extra = 1;
        ++i;
        for (int k = 0; k < extra && i < utf8.size(); ++k, ++i) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\n') {
            out += "\\line ";
        } else if (cp >= 0x20 && cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x20) {
            continue;
        } else {
            auto unit = [&](std::uint32_t u) {
                out += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(u))) + "?";
            };
            if (cp >= 0x10000) {
                cp -= 0x10000;
                unit(0xD800 + (cp >> 10));
                unit(0xDC00 + (cp & 0x3FF));
            } else {
                unit(cp);
            }
        }
    }
    return out;
}

}  // namespace

void exportToRtf(const ReportPages& pages, const std::string& path) {
    ReplacingFile file(path);
    std::ostringstream out;
    out << "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1\n{\\fonttbl{\\f0\\fswiss\\fcharset204 DejaVu Sans;}}\n"
        << "\\paperw" << twips(pages.pageWidth()) << "\\paperh" << twips(pages.pageHeight())
        << "\\margl0\\margr0\\margt0\\margb0\n";
    if (pages.pageWidth() > pages.pageHeight()) out << "\\landscape\n";
    // Each page goes to the file as soon as it is made; a stop is noticed at the next one.
    enterStage(RunStage::Exporting);
    bool first = true;
    PageFunction writePage([&](const PreparedPage& page) {
        throwIfStopRequested();
        advanceStage();
        if (!first) out << "\\pard\\plain\\fs2\\par\\page\n";
        first = false;
        for (const PreparedText& t : page.texts) {
            // A frame placed on the page by its corner, with an exact height.
            out << "\\pard\\plain\\phpg\\pvpg\\posx" << twips(t.left) << "\\posy" << twips(t.top) << "\\absw"
                << twips(t.width) << "\\absh-" << twips(t.height) << "\\dxfrtext0\\dfrmtxtx0\\dfrmtxty0";
            if (t.frame.top) out << "\\brdrt\\brdrs\\brdrw10";
            if (t.frame.left) out << "\\brdrl\\brdrs\\brdrw10";
            if (t.frame.bottom) out << "\\brdrb\\brdrs\\brdrw10";
            if (t.frame.right) out << "\\brdrr\\brdrs\\brdrw10";
            out << (t.align == TextAlign::Left ? "\\ql" : t.align == TextAlign::Center ? "\\qc" : "\\qr");
            out << "\\f0\\fs" << std::lround(t.fontSize * 2) << (t.bold ? "\\b" : "") << " " << rtfText(t.text)
                << "\\par\n";
        }
        file.write(out.view());
        out.str({});
    });
    pages.walk(writePage);
    out << "\\pard\\plain\\fs2\\par\n}\n";
    file.write(out.view());
    file.commit();
}

}  // namespace host
