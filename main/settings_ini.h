// The in-memory image of an INI file such as settings.ini: sections of key=value lines,
// read from decoded text and written back as UTF-8 bytes. Pure logic, no input or output.
//
// Names of sections and keys are matched without regard to the case of the letters A to Z
// only. Other letters must match exactly: a locale-dependent fold would make the same file
// mean different things on different machines (the Turkish dotted and dotless i), and every
// name the program uses is ASCII.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace framora {

class IniFile {
 public:
  // Reads decoded text. Each line is stripped of leading and trailing characters of code
  // 32 or below; empty lines and lines beginning with ";" are skipped; "[name]" opens a
  // section (a repeated name continues the earlier section); any other line inside a
  // section is split at its first "=" into key and value, each stripped again; a line
  // without "=" stays as a key without a value. Lines before the first section are
  // dropped. Lines end in CR LF, LF or a lone CR.
  static IniFile Parse(std::wstring_view text);

  // Reads file bytes: a leading UTF-8 byte-order mark is skipped and the rest must be
  // strict UTF-8. nullopt means "not UTF-8"; the caller decides what to do instead.
  static std::optional<IniFile> FromUtf8(std::string_view bytes);

  // The file as written: the UTF-8 byte-order mark, then for each section "[name]", its
  // keys in the order they were first added ("key=value", or "key" for a key that has no
  // value), then an empty line; every line, the last empty one too, ends in CR LF.
  std::string ToUtf8() const;

  // The stored value exactly as it stands; `defaultValue` when the section or key is
  // missing or the key has no value. A present empty value is an empty text.
  std::wstring ReadString(std::wstring_view section, std::wstring_view key,
                          std::wstring_view defaultValue) const;

  // Sets the value of an existing key in place, or appends the key to its section (and
  // the section to the file). The format cannot carry line breaks or leading and trailing
  // blanks of names and values: such text is written as given but reads back stripped.
  void WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value);

  // The value read by ParseIniInteger; `defaultValue` when missing or unreadable.
  std::int32_t ReadInteger(std::wstring_view section, std::wstring_view key,
                           std::int32_t defaultValue) const;

  // Stores the decimal text of `value`.
  void WriteInteger(std::wstring_view section, std::wstring_view key, std::int32_t value);

  friend bool operator==(const IniFile&, const IniFile&) = default;

 private:
  struct Entry {
    std::wstring Key;
    std::optional<std::wstring> Value;  // nullopt: a line without "="
    friend bool operator==(const Entry&, const Entry&) = default;
  };
  struct Section {
    std::wstring Name;
    std::vector<Entry> Entries;
    friend bool operator==(const Section&, const Section&) = default;
  };

  const Section* FindSection(std::wstring_view name) const;
  Section* FindSection(std::wstring_view name);

  std::vector<Section> sections_;
};

// An INI integer: an optional sign and decimal digits, or "0x", "0X" or "$" followed by
// hexadecimal digits (no sign). Anything else, and any number outside the signed 32-bit
// range (0x80000000 included: hexadecimal is a magnitude, not a bit pattern), is nullopt.
std::optional<std::int32_t> ParseIniInteger(std::wstring_view text);

// True when the two names are equal with the letters A to Z folded to lower case.
bool SameIniName(std::wstring_view a, std::wstring_view b);

// The bytes after a leading UTF-8 byte-order mark (all of them when there is none).
std::string_view SkipUtf8Bom(std::string_view bytes);

}  // namespace framora
