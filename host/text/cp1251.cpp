// Converting between windows-1251 and UTF-8.
#include "host/text/cp1251.h"

#include <array>
#include <cstdint>

namespace host {
namespace {

// Code points of the bytes 0x80..0xFF. 0x98 has no character in the code page; it is carried
// through as U+0098 so that no byte is ever lost on the way out and back.
constexpr std::array<char32_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

int byteFor(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(cp - 0x0410 + 0xC0);
    for (std::size_t i = 0; i < 0x40; ++i)
        if (kHighHalf[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

std::string describe(std::string_view what) {
    return what.empty() ? std::string("the text") : "\"" + std::string(what) + "\"";
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string nameInMessage(std::string_view utf8) {
    try {
        return utf8ToCp1251(utf8);
    } catch (const EncodingError&) {
        return std::string(utf8);
    }
}

std::string utf8ToCp1251(std::string_view in, std::string_view what) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        const auto lead = static_cast<unsigned char>(in[i]);
        char32_t cp;
        std::size_t len;
        if (lead < 0x80) { cp = lead; len = 1; }
        else if ((lead & 0xE0) == 0xC0) { cp = lead & 0x1F; len = 2; }
        else if ((lead & 0xF0) == 0xE0) { cp = lead & 0x0F; len = 3; }
        else if ((lead & 0xF8) == 0xF0) { cp = lead & 0x07; len = 4; }
        else throw EncodingError("malformed UTF-8 in " + describe(what));
        if (i + len > in.size()) throw EncodingError("malformed UTF-8 in " + describe(what));
        for (std::size_t k = 1; k < len; ++k) {
            const auto cont = static_cast<unsigned char>(in[i + k]);
            if ((cont & 0xC0) != 0x80) throw EncodingError("malformed UTF-8 in " + describe(what));
            cp = (cp << 6) | (cont & 0x3F);
        }
        // An overlong form would smuggle in a character under another spelling.
        static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kShortest[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            throw EncodingError("malformed UTF-8 in " + describe(what));
        const int b = byteFor(cp);
        if (b < 0)
            throw EncodingError("the character \"" + std::string(in.substr(i, len)) + "\" in " + describe(what) +
                                " cannot be written in windows-1251");
        out += static_cast<char>(b);
        i += len;
    }
    return out;
}

std::string cp1251ToUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size() * 2);
    for (char c : in) {
        const auto b = static_cast<unsigned char>(c);
        appendUtf8(out, b < 0x80 ? char32_t(b) : kHighHalf[b - 0x80]);
    }
    return out;
}

std::string W(std::string_view utf8Literal) { return utf8ToCp1251(utf8Literal, "a program text"); }

char upperCp1251(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    if (b >= 0xE0) return static_cast<char>(b - 0x20);
    switch (b) {
        case 0x83: return '\x81';
        case 0x90: return '\x80';
        case 0x9A: return '\x8A';
        case 0x9C: return '\x8C';
        case 0x9D: return '\x8D';
        case 0x9E: return '\x8E';
        case 0x9F: return '\x8F';
        case 0xA2: return '\xA1';
        case 0xB3: return '\xB2';
        case 0xB4: return '\xA5';
        case 0xB8: return '\xA8';
        case 0xBA: return '\xAA';
        case 0xBC: return '\xA3';
        case 0xBE: return '\xBD';
        case 0xBF: return '\xAF';
        default: return c;
    }
}

std::string upperCp1251(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = upperCp1251(c);
    return out;
}

}  // namespace host
