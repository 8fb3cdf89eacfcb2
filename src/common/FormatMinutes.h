#pragma once

#include <string>

namespace zorv {

/// Signed minutes as hours and minutes: 90 → "1H 30M ", 60 → "1H ",
/// 45 → "45M ", -75 → "-1H 15M ", 0 → "0". Each part keeps its trailing
/// blank. The value is rounded to whole minutes first (half away from zero),
/// so -0.4 gives "0"; a value that is not finite also gives "0".
std::string FormatMinutes(double minutes);

} // namespace zorv
