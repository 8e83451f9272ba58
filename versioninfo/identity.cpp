#include "versioninfo/identity.h"

namespace framora {

std::wstring AppCompanyName;
std::wstring AppProductName;
std::wstring ProductTitle;
std::wstring ShortVersion;

namespace {

void AppendHex4(std::wstring& out, std::uint16_t value) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4)
    out.push_back(kDigits[(value >> shift) & 0xF]);
}

}  // namespace

std::wstring TranslationKey(std::uint16_t language, std::uint16_t codePage) {
  std::wstring key;
  key.reserve(8);
  AppendHex4(key, language);
  AppendHex4(key, codePage);
  return key;
}

std::wstring StringValuePath(const std::wstring& key, const wchar_t* name) {
  return L"\\StringFileInfo\\" + key + name;
}

std::wstring FormatShortVersion(std::uint32_t fileVersionMS) {
  // Both halves as unsigned 16-bit numbers: 40000 must not print as a negative.
  const auto major = static_cast<std::uint16_t>(fileVersionMS >> 16);
  const auto minor = static_cast<std::uint16_t>(fileVersionMS & 0xFFFF);
  return std::to_wstring(major) + L'.' + std::to_wstring(minor);
}

std::wstring MakeProductTitle(const std::wstring& company, const std::wstring& product) {
  return company + L" - " + product;
}

void SetIdentity(const TEXEVersionData& data, std::uint32_t fileVersionMS) {
  AppCompanyName = data.CompanyName;
  AppProductName = data.ProductName;
  ShortVersion = FormatShortVersion(fileVersionMS);
  ProductTitle = MakeProductTitle(AppCompanyName, AppProductName);
}

}  // namespace framora
