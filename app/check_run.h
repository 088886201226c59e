#pragma once

// The move of a checked declaration from its private directory to where the user wanted it.

#include <string>

namespace app {

// Moves the checked declaration into `directory` (the page's text, host text; empty: the current
// directory) under its own name and returns the new absolute path. A move across file systems
// copies into "<name>.part" and renames it, so that no truncated declaration bears the name.
// Throws std::runtime_error naming the target when it cannot.
std::string moveDeclaration(const std::string& path, const std::string& directory);

}  // namespace app
