#pragma once

#include "web/Html.h"

#include <string>

namespace zorv::web {

/// The icon of the icon set that stands for an image index of the designs
/// (outlook-bar items, tabs, buttons). One table for the whole application.
std::string iconForImageIndex(int imageIndex);
/// Writes <i class="bi bi-NAME"> when name is a plain icon name; nothing otherwise.
void writeIcon(HtmlWriter& w, const std::string& name);

} // namespace zorv::web
