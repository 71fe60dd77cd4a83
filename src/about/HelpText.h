// The rules and the how-to-play text shown in the help window.
#pragma once

#include <string>

namespace larkspur {

// The whole help text, UTF-8, lines ending in '\n'. Each section starts with a
// heading line of three tabs and the heading, then three tabs and a row of
// '=' signs.
const std::string& HelpText();

}  // namespace larkspur
