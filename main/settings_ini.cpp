#include "main/settings_ini.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/text.h"

namespace framora {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

wchar_t FoldAscii(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Reads the digits of `text` in `base` as a magnitude; nullopt when a character is not a
// digit, there are none, or the magnitude exceeds `limit`.
std::optional<std::int64_t> ParseMagnitude(std::wstring_view text, int base,
                                           std::int64_t limit) {
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (wchar_t c : text) {
    const int digit = HexDigit(c);
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * base + digit;
    // Stops before the product can overflow; leading zeros keep the value small.
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

bool SameIniName(std::wstring_view a, std::wstring_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return FoldAscii(x) == FoldAscii(y); });
}

std::string_view SkipUtf8Bom(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  return bytes;
}

std::optional<std::int32_t> ParseIniInteger(std::wstring_view text) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (text.starts_with(L"$") || text.starts_with(L"0x") || text.starts_with(L"0X")) {
    const auto magnitude = ParseMagnitude(text.substr(text.front() == L'$' ? 1 : 2), 16, kMax);
    if (!magnitude) return std::nullopt;
    return static_cast<std::int32_t>(*magnitude);
  }
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  const auto magnitude = ParseMagnitude(text, 10, negative ? kMax + 1 : kMax);
  if (!magnitude) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -*magnitude : *magnitude);
}

IniFile IniFile::Parse(std::wstring_view text) {
  IniFile ini;
  Section* current = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of(L"\r\n");
    std::wstring_view line = text.substr(0, end);
    if (end == std::wstring_view::npos) {
      text = {};
    } else {
      const bool crlf = text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n';
      text.remove_prefix(end + (crlf ? 2 : 1));
    }

    line = TrimView(line);
    if (line.empty() || line.front() == L';') continue;
    if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
      const std::wstring_view name = TrimView(line.substr(1, line.size() - 2));
      current = ini.FindSection(name);
      if (current == nullptr) {
        current = &ini.sections_.emplace_back(Section{std::wstring(name), {}});
      }
      continue;
    }
    if (current == nullptr) continue;
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
      current->Entries.push_back(Entry{std::wstring(line), std::nullopt});
    } else {
      current->Entries.push_back(
          Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
    }
  }
  return ini;
}

std::optional<IniFile> IniFile::FromUtf8(std::string_view bytes) {
  const auto text = Utf8ToUtf16(SkipUtf8Bom(bytes));
  if (!text) return std::nullopt;
  return Parse(*text);
}

std::string IniFile::ToUtf8() const {
  std::wstring text;
  for (const Section& section : sections_) {
    text += L'[';
    text += section.Name;
    text += L"]\r\n";
    for (const Entry& entry : section.Entries) {
      text += entry.Key;
      if (entry.Value) {
        text += L'=';
        text += *entry.Value;
      }
      text += L"\r\n";
    }
    text += L"\r\n";
  }
  return std::string(kUtf8Bom) + Utf16ToUtf8(text);
}

const IniFile::Section* IniFile::FindSection(std::wstring_view name) const {
  const auto found = std::find_if(sections_.begin(), sections_.end(),
                                  [&](const Section& s) { return SameIniName(s.Name, name); });
  return found == sections_.end() ? nullptr : &*found;
}

IniFile::Section* IniFile::FindSection(std::wstring_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

std::wstring IniFile::ReadString(std::wstring_view section, std::wstring_view key,
                                 std::wstring_view defaultValue) const {
  if (const Section* s = FindSection(section)) {
    // The first of repeated keys counts, for reading and writing alike.
    for (const Entry& entry : s->Entries) {
      if (SameIniName(entry.Key, key)) {
        return entry.Value ? *entry.Value : std::wstring(defaultValue);
      }
    }
  }
  return std::wstring(defaultValue);
}

void IniFile::WriteString(std::wstring_view section, std::wstring_view key,
                          std::wstring_view value) {
  Section* s = FindSection(section);
  if (s == nullptr) s = &sections_.emplace_back(Section{std::wstring(section), {}});
  for (Entry& entry : s->Entries) {
    if (SameIniName(entry.Key, key)) {
      entry.Value = std::wstring(value);
      return;
    }
  }
  s->Entries.push_back(Entry{std::wstring(key), std::wstring(value)});
}

std::int32_t IniFile::ReadInteger(std::wstring_view section, std::wstring_view key,
                                  std::int32_t defaultValue) const {
  // A missing key and an unreadable value both give the default; ParseIniInteger("")
  // refuses, so an empty default text stands for "absent".
  return ParseIniInteger(ReadString(section, key, L"")).value_or(defaultValue);
}

void IniFile::WriteInteger(std::wstring_view section, std::wstring_view key,
                           std::int32_t value) {
  WriteString(section, key, DecimalText(value));
}

}  // namespace framora
