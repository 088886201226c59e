# Turns one schema file into a C++ source holding its text, so the program carries it and needs no path to it.
# Run as: cmake -DINPUT=<file.xsd> -DOUTPUT=<file.cpp> -DFUNCTION=<name> -P embed_schema.cmake
file(READ "${INPUT}" hex HEX)
get_filename_component(name "${INPUT}" NAME)
# Every byte as an escape of its own, sixteen to a line: no escape can run on into the next character.
string(REPEAT "[0-9a-f]" 32 sixteenBytes)
string(REGEX REPLACE "(${sixteenBytes})" "\\1\n" lines "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" lines "${lines}")
string(REGEX REPLACE "([^\n]+)" "    \"\\1\"" lines "${lines}")
file(WRITE "${OUTPUT}.new"
"// The schema ${name} as the program carries it, made from the file at build time.
#include <string_view>

namespace core::checks::embedded {

std::string_view ${FUNCTION}() {
    static constexpr char kText[] =
${lines};
    return {kText, sizeof kText - 1};
}

}  // namespace core::checks::embedded
")
# An unchanged text leaves the source as it was, so nothing recompiles for nothing.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
