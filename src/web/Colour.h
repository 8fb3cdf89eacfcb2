#pragma once

#include <string>
#include <string_view>

namespace zorv::web {

/// Turns a colour as stored in configuration and layout tables into a CSS
/// colour: a CSS name ("white"), a design-time name ("clWhite"), "#rrggbb",
/// or a number ("$00FF6666" hexadecimal or decimal) whose bytes are blue,
/// green, red from high to low. Empty for anything else.
std::string colourToCss(std::string_view value);

} // namespace zorv::web
