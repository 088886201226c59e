#pragma once

// A report laid out into pages of placed text objects.

#include <string>
#include <vector>

#include "host/host_api.h"

namespace host {

enum class TextAlign { Left, Center, Right };
enum class TextVAlign { Top, Center, Bottom };

// Which sides of a text object's box are drawn; any combination.
struct FrameLines {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    bool any() const { return left || top || right || bottom; }
};

// One text object placed on a prepared page. Positions and sizes are millimetres from the
// page's top left corner; the text is final (UTF-8), every expression already evaluated.
struct HOST_API PreparedText {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    std::string text;
    double fontSize = 10;  // points
    bool bold = false;
    TextAlign align = TextAlign::Left;
    TextVAlign valign = TextVAlign::Top;
    FrameLines frame;
};

struct HOST_API PreparedPage {
    std::vector<PreparedText> texts;
};

// The report laid out into pages: what the preview shows and every export filter renders.
struct HOST_API PreparedReport {
    std::string name;           // the template's name, for titles
    std::string fileStem;       // its file's name without the extension; empty when loaded from text
    double pageWidth = 210;     // millimetres
    double pageHeight = 297;
    std::vector<PreparedPage> pages;
};

}  // namespace host
