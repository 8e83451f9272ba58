// The product's identity as read from a version resource: the record of its strings and the
// process-wide identity values derived from it. Portable: the Win32 reader fills the record.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace framora {

// The strings of a version resource's string table; a value the table lacks stays empty.
struct TEXEVersionData {
  std::wstring CompanyName;
  std::wstring FileDescription;
  std::wstring FileVersion;
  std::wstring InternalName;
  std::wstring LegalCopyright;
  std::wstring LegalTrademarks;
  std::wstring OriginalFileName;
  std::wstring ProductName;
  std::wstring ProductVersion;
  std::wstring Comments;
  std::wstring PrivateBuild;
  std::wstring SpecialBuild;
};

// One string-table value: its name as the query path ends (leading backslash included) and
// the record field it fills.
struct VersionStringField {
  const wchar_t* name;
  std::wstring TEXEVersionData::*field;
};

// The twelve values in record order.
inline constexpr std::array<VersionStringField, 12> kVersionStringFields{{
    {L"\\CompanyName", &TEXEVersionData::CompanyName},
    {L"\\FileDescription", &TEXEVersionData::FileDescription},
    {L"\\FileVersion", &TEXEVersionData::FileVersion},
    {L"\\InternalName", &TEXEVersionData::InternalName},
    {L"\\LegalCopyright", &TEXEVersionData::LegalCopyright},
    {L"\\LegalTrademarks", &TEXEVersionData::LegalTrademarks},
    {L"\\OriginalFileName", &TEXEVersionData::OriginalFileName},
    {L"\\ProductName", &TEXEVersionData::ProductName},
    {L"\\ProductVersion", &TEXEVersionData::ProductVersion},
    {L"\\Comments", &TEXEVersionData::Comments},
    {L"\\PrivateBuild", &TEXEVersionData::PrivateBuild},
    {L"\\SpecialBuild", &TEXEVersionData::SpecialBuild},
}};

// The identity values: empty until the main window's creation sets them once, read-only
// afterwards (the update check's thread reads them without a lock, which is safe only
// because nothing writes them after the thread starts).
extern std::wstring AppCompanyName;
extern std::wstring AppProductName;
extern std::wstring ProductTitle;
extern std::wstring ShortVersion;

// The string-table key of a translation: four upper-case hex digits of the language, then
// four of the code page (0x0409, 0x04B0 gives "040904B0").
std::wstring TranslationKey(std::uint16_t language, std::uint16_t codePage);

// The query path of one string-table value: "\StringFileInfo\" + key + name, where name
// brings its own leading backslash.
std::wstring StringValuePath(const std::wstring& key, const wchar_t* name);

// "major.minor" of the fixed file version's most significant half, both numbers unsigned
// 16-bit (0x9C400002 gives "40000.2"; the failure value 0xFFFFFFFF gives "65535.65535").
std::wstring FormatShortVersion(std::uint32_t fileVersionMS);

// Company name, " - ", product name; an empty part stays empty around the separator.
std::wstring MakeProductTitle(const std::wstring& company, const std::wstring& product);

// Sets the four identity values from the executable's record and fixed file version.
void SetIdentity(const TEXEVersionData& data, std::uint32_t fileVersionMS);

}  // namespace framora
