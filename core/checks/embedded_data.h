// The check data files, carried inside the program (the source is generated at build time).
#pragma once

#include <string_view>

namespace core::checks::data {

std::string_view productKindsTsv();
std::string_view formCodesTsv();

}  // namespace core::checks::data
