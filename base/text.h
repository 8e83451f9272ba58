// Text helpers shared by the portable code. Text is UTF-16 inside the program: a
// std::wstring holds UTF-16 code units on every platform (on Linux each wchar_t simply
// carries one code unit), so the same code and tests serve the native and the Windows build.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace framora {

// Strict UTF-8 decoding: overlong forms, surrogates, values above U+10FFFF and cut
// sequences are refused (nullopt).
std::optional<std::wstring> Utf8ToUtf16(std::string_view bytes);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::wstring_view text);

// Removes leading and trailing characters of code 32 or below (blanks, tabs, line breaks
// and other control characters).
std::wstring Trim(std::wstring_view text);
std::wstring_view TrimView(std::wstring_view text);

// Letters A to Z to lower case; nothing else changes.
std::wstring AsciiLower(std::wstring_view text);

// Decimal text of a number, without separators.
std::wstring DecimalText(std::int64_t value);

}  // namespace framora
