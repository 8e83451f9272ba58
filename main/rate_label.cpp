#include "main/rate_label.h"

#include <cmath>
#include <cstdio>

namespace framora {

std::int32_t SpinEditValue(std::wstring_view text) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 10) return MinImageDuration;
  std::int64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return MinImageDuration;
    value = value * 10 + (c - L'0');
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return MinImageDuration;
  return static_cast<std::int32_t>(value);
}

std::optional<std::wstring> RateLabelText(std::int32_t Duration, wchar_t decimalSeparator) {
  if (Duration == 0) return std::nullopt;
  const double rate = 1.0 / (Duration / 1000.0);
  const double magnitude = std::fabs(rate);
  // Four significant digits at most: two decimals below 100, one below 1000, none above.
  const double scale = magnitude < 100 ? 100 : magnitude < 1000 ? 10 : 1;
  const double rounded = std::round(rate * scale) / scale;
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", rounded == 0 ? 0.0 : rounded);
  std::wstring label;
  for (const char* p = text; *p; ++p) {
    label.push_back(*p == '.' ? decimalSeparator : static_cast<wchar_t>(*p));
  }
  return label + L" FPS";
}

}  // namespace framora
