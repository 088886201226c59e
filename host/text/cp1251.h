#pragma once

// The border between windows-1251 and UTF-8 text.

#include <stdexcept>
#include <string>
#include <string_view>

#include "host/host_api.h"

namespace host {

// Inside the plug-ins all text is windows-1251, one byte a character; the terminal, the command
// line and the options file speak UTF-8. These functions are the border between the two.

class HOST_API EncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws EncodingError for malformed UTF-8 or for a character windows-1251 cannot hold; the
// message names `what` (the control or key the text belongs to).
HOST_API std::string utf8ToCp1251(std::string_view utf8, std::string_view what = {});

// A text the system gives in UTF-8 (a file's name, an argument) as it goes into a message, which
// is host text (windows-1251); unchanged where windows-1251 cannot hold it.
HOST_API std::string nameInMessage(std::string_view utf8);

// Every windows-1251 byte has a character, so this never fails.
HOST_API std::string cp1251ToUtf8(std::string_view cp1251);

// Text of the program's own, written in UTF-8 source, as windows-1251.
HOST_API std::string W(std::string_view utf8Literal);

// Upper-casing by the windows-1251 code page's own letter pairs, Cyrillic included.
HOST_API char upperCp1251(char c);
HOST_API std::string upperCp1251(std::string_view text);

}  // namespace host
