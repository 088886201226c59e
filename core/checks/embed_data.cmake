# Writes a C++ source that holds data files as byte arrays, each behind a function returning it,
# so that the program carries its data without looking for files beside itself.
#   cmake -DOUTPUT=out.cpp -DNAMESPACE=ns -DFILES="function=path|function=path" -P embed_data.cmake
string(REPLACE "|" ";" entries "${FILES}")
set(source "// Generated at build time from the data files; edit those, not this.\n#include <string_view>\n\nnamespace ${NAMESPACE} {\n")
foreach(entry IN LISTS entries)
  string(FIND "${entry}" "=" split)
  string(SUBSTRING "${entry}" 0 ${split} function)
  math(EXPR start "${split} + 1")
  string(SUBSTRING "${entry}" ${start} -1 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR size "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  # One line per 32 bytes keeps the generated file readable by tools.
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
  string(APPEND source "\nnamespace {\nconst unsigned char k_${function}[${size} + 1] = {\n${bytes}0};\n}  // namespace\n\n"
         "std::string_view ${function}() {\n    return {reinterpret_cast<const char*>(k_${function}), ${size}};\n}\n")
endforeach()
string(APPEND source "\n}  // namespace ${NAMESPACE}\n")
# Written only when changed, so that nothing is rebuilt for nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
  if(previous STREQUAL source)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${source}")
