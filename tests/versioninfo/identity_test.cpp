#include "versioninfo/identity.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace framora {
namespace {

TEST(TranslationKey, FourUpperCaseHexDigitsEach) {
  struct Case {
    std::uint16_t language, codePage;
    const wchar_t* key;
  };
  const Case cases[] = {
      {0x0409, 0x04B0, L"040904B0"}, {0x0409, 0x04E4, L"040904E4"}, {0x0407, 0x04E4, L"040704E4"},
      {0x0C0A, 0x04E4, L"0C0A04E4"}, {0x0000, 0x0000, L"00000000"}, {0xFFFF, 0xABCD, L"FFFFABCD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TranslationKey(c.language, c.codePage), c.key) << c.language << '/' << c.codePage;
  }
}

TEST(StringValuePath, KeyBetweenBlockAndValueName) {
  EXPECT_EQ(StringValuePath(L"040904B0", L"\\CompanyName"),
            L"\\StringFileInfo\\040904B0\\CompanyName");
}

TEST(FormatShortVersion, MajorAndMinorAsUnsigned16Bit) {
  struct Case {
    std::uint32_t version;
    const wchar_t* text;
  };
  const Case cases[] = {
      {0x00010005, L"1.5"},         {0x00000000, L"0.0"},     {0x9C400002, L"40000.2"},
      {0x80008000, L"32768.32768"}, {0x0002FFFF, L"2.65535"}, {0xFFFFFFFF, L"65535.65535"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatShortVersion(c.version), c.text) << std::hex << c.version;
  }
}

TEST(MakeProductTitle, SeparatorStaysWhenAPartIsEmpty) {
  EXPECT_EQ(MakeProductTitle(L"Brantlow", L"Framora"), L"Brantlow - Framora");
  EXPECT_EQ(MakeProductTitle(L"", L"Framora"), L" - Framora");
  EXPECT_EQ(MakeProductTitle(L"Brantlow", L""), L"Brantlow - ");
  EXPECT_EQ(MakeProductTitle(L"", L""), L" - ");
}

TEST(SetIdentity, SetsTheFourValuesFromRecordAndFixedVersion) {
  TEXEVersionData data;
  data.CompanyName = L"Brantlow";
  data.ProductName = L"Framora";
  data.FileDescription = L"not used";
  data.InternalName = L"not used either";
  SetIdentity(data, 0x00010005);
  EXPECT_EQ(AppCompanyName, L"Brantlow");
  EXPECT_EQ(AppProductName, L"Framora");
  EXPECT_EQ(ProductTitle, L"Brantlow - Framora");
  EXPECT_EQ(ShortVersion, L"1.5");

  // A record without names and the failure value of the fixed version.
  SetIdentity(TEXEVersionData{}, 0xFFFFFFFF);
  EXPECT_EQ(AppCompanyName, L"");
  EXPECT_EQ(AppProductName, L"");
  EXPECT_EQ(ProductTitle, L" - ");
  EXPECT_EQ(ShortVersion, L"65535.65535");
}

}  // namespace
}  // namespace framora
