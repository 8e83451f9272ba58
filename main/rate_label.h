// The image duration box's value and the rate label beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "main/settings.h"

namespace framora {

// The box's text read as a whole number (optional blanks and sign, decimal digits, within
// 32 bits); any other text reads as the minimum, 1. Not clamped: while the user types, 0 or a
// negative number can stand in the box.
std::int32_t SpinEditValue(std::wstring_view text);

// Images per second for an image duration in milliseconds, as the label shows it: at most
// four significant digits and two decimals, always written with two decimals, the user's
// decimal separator and " FPS" (1000 -> "1.00 FPS", 3 -> "333.30 FPS"). No rate exists for 0:
// nullopt, and the label keeps its text.
std::optional<std::wstring> RateLabelText(std::int32_t Duration, wchar_t decimalSeparator);

}  // namespace framora
