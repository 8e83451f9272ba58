#include "main/settings_ini.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace framora {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

IniFile ParseUtf8(const std::string& bytes) {
  auto ini = IniFile::FromUtf8(bytes);
  EXPECT_TRUE(ini.has_value());
  return ini.value_or(IniFile());
}

// The reading rules, shown by what a read file writes back: the written form is the
// structure the reader found, byte for byte.
struct ReadCase {
  const char* name;
  std::string input;
  std::string written;  // without the byte-order mark
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class IniReading : public testing::TestWithParam<ReadCase> {};

TEST_P(IniReading, WritesBackWhatItFound) {
  EXPECT_EQ(ParseUtf8(GetParam().input).ToUtf8(), kBom + GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReading,
    testing::Values(
        ReadCase{"LinesBeforeTheFirstSectionAreDropped", "a=1\r\nb\r\n[S]\r\nc=2\r\n",
                 "[S]\r\nc=2\r\n\r\n"},
        ReadCase{"NamesAndValuesAreStripped", "  [  S  ]  \r\n \t key \t=\t value  x \t\r\n",
                 "[S]\r\nkey=value  x\r\n\r\n"},
        ReadCase{"ControlCharactersCountAsBlanks", "[S]\x01\r\n\x1F"
                 "k=v\x7F\x0B\r\n",
                 "[S]\r\nk=v\x7F\r\n\r\n"},
        ReadCase{"EmptyAndCommentLinesAreSkipped", "[S]\r\n\r\n   \r\n;k=1\r\n  ; x\r\nk=2\r\n",
                 "[S]\r\nk=2\r\n\r\n"},
        ReadCase{"SplitAtTheFirstEquals", "[S]\r\nk = a=b = c\r\n", "[S]\r\nk=a=b = c\r\n\r\n"},
        ReadCase{"KeyWithoutEqualsStays", "[S]\r\n bare key \r\n", "[S]\r\nbare key\r\n\r\n"},
        ReadCase{"EmptyValueAndEmptyKey", "[S]\r\nk=\r\n=v\r\n", "[S]\r\nk=\r\n=v\r\n\r\n"},
        ReadCase{"BracketsWithoutCloseAreAKey", "[S]\r\n[x=1\r\n[y\r\n",
                 "[S]\r\n[x=1\r\n[y\r\n\r\n"},
        ReadCase{"EmptySectionName", "[]\r\nk=1\r\n", "[]\r\nk=1\r\n\r\n"},
        ReadCase{"SectionWithoutKeys", "[A]\r\n[B]\r\nk=1\r\n", "[A]\r\n\r\n[B]\r\nk=1\r\n\r\n"},
        ReadCase{"RepeatedSectionContinuesTheFirst", "[A]\r\na=1\r\n[B]\r\nb=2\r\n[a]\r\nc=3\r\n",
                 "[A]\r\na=1\r\nc=3\r\n\r\n[B]\r\nb=2\r\n\r\n"},
        ReadCase{"LfAndLoneCrEndLinesToo", "[S]\na=1\rb=2\r\n\r\nc=3",
                 "[S]\r\na=1\r\nb=2\r\nc=3\r\n\r\n"},
        ReadCase{"WithoutByteOrderMark", "[S]\r\nk=v", "[S]\r\nk=v\r\n\r\n"},
        ReadCase{"ByteOrderMarkIsSkipped", "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9",
                 "[S]\r\nk=\xC3\xA9\r\n\r\n"},
        ReadCase{"EmptyFile", "", ""}),
    [](const testing::TestParamInfo<ReadCase>& param) { return param.param.name; });

TEST(IniDecoding, RefusesTextThatIsNotUtf8) {
  // An ANSI-saved file: "Café" in code page 1252.
  EXPECT_FALSE(IniFile::FromUtf8("[Settings]\r\nDestination=C:\\Caf\xE9\r\n").has_value());
  EXPECT_FALSE(IniFile::FromUtf8(kBom + "[S]\r\nk=\xC0\xAF").has_value());
  // Only a leading mark is skipped; a second one is text and spoils the first line.
  EXPECT_EQ(ParseUtf8(kBom + kBom + "[S]\r\nk=v").ToUtf8(), kBom);
}

TEST(IniWriting, EmptyImageIsJustTheByteOrderMark) { EXPECT_EQ(IniFile().ToUtf8(), kBom); }

TEST(IniWriting, KeysInTheOrderFirstAddedSectionsAppended) {
  IniFile ini;
  ini.WriteString(L"Settings", L"Destination", L"C:\\Users\\Me\\Desktop\\Output");
  ini.WriteInteger(L"Settings", L"Duration", 1000);
  // A character beyond the first plane as its UTF-16 pair, as the program holds it.
  ini.WriteString(L"Other", L"Name",
                  std::wstring(L"Caf\u00E9 ") + wchar_t(0xD83C) + wchar_t(0xDF9E));
  ini.WriteString(L"SETTINGS", L"destination", L"D:\\x");  // in place, spelling kept
  ini.WriteInteger(L"settings", L"JpegQuality", -3);
  EXPECT_EQ(ini.ToUtf8(), kBom +
                              "[Settings]\r\n"
                              "Destination=D:\\x\r\n"
                              "Duration=1000\r\n"
                              "JpegQuality=-3\r\n"
                              "\r\n"
                              "[Other]\r\n"
                              "Name=Caf\xC3\xA9 \xF0\x9F\x8E\x9E\r\n"
                              "\r\n");
}

TEST(IniWriting, UnknownSectionsAndKeysSurviveAChange) {
  const std::string file = kBom +
                           "[Window]\r\n"
                           "Left=10\r\n"
                           "odd line\r\n"
                           "\r\n"
                           "[Settings]\r\n"
                           "Future=yes\r\n"
                           "Duration=500\r\n"
                           "\r\n"
                           "[Tail]\r\n"
                           "\r\n";
  IniFile ini = ParseUtf8(file);
  ini.WriteInteger(L"Settings", L"Duration", 40);
  std::string expected = file;
  expected.replace(expected.find("Duration=500"), 12, "Duration=40");
  EXPECT_EQ(ini.ToUtf8(), expected);
}

TEST(IniNames, AsciiLettersMatchInAnyCaseOtherLettersExactly) {
  const IniFile ini = ParseUtf8(
      "[settings]\r\nduration=5\r\n[\xC3\x89t\xC3\xA9]\r\n\xC3\x89=1\r\n");
  EXPECT_EQ(ini.ReadString(L"SETTINGS", L"DuRaTiOn", L"-"), L"5");
  EXPECT_EQ(ini.ReadString(L"\u00C9t\u00E9", L"\u00C9", L"-"), L"1");
  EXPECT_EQ(ini.ReadString(L"\u00E9t\u00E9", L"\u00C9", L"-"), L"-");
  EXPECT_EQ(ini.ReadString(L"\u00C9t\u00E9", L"\u00E9", L"-"), L"-");
  EXPECT_FALSE(SameIniName(L"Settings", L"Setting"));
  EXPECT_TRUE(SameIniName(L"", L""));
}

TEST(IniValues, HandedOverExactlyWithDefaultsOnlyWhenAbsent) {
  const IniFile ini = ParseUtf8(
      "[S]\r\nEmpty=\r\nBare\r\nCase=Off\r\nTwice=first\r\nTwice=second\r\n");
  EXPECT_EQ(ini.ReadString(L"S", L"Empty", L"default"), L"");
  EXPECT_EQ(ini.ReadString(L"S", L"Bare", L"default"), L"default");
  EXPECT_EQ(ini.ReadString(L"S", L"Case", L"default"), L"Off");
  EXPECT_EQ(ini.ReadString(L"S", L"Missing", L"default"), L"default");
  EXPECT_EQ(ini.ReadString(L"Missing", L"Case", L"default"), L"default");
  EXPECT_EQ(ini.ReadString(L"S", L"Twice", L""), L"first");
  EXPECT_EQ(ini.ReadInteger(L"S", L"Empty", 7), 7);
  EXPECT_EQ(ini.ReadInteger(L"S", L"Bare", 7), 7);
}

TEST(IniValues, WritingAKeyWithoutValueGivesItOne) {
  IniFile ini = ParseUtf8("[S]\r\nBare\r\nTwice=1\r\nTwice=2\r\n");
  ini.WriteString(L"S", L"bare", L"v");
  ini.WriteString(L"S", L"Twice", L"3");
  EXPECT_EQ(ini.ToUtf8(), kBom + "[S]\r\nBare=v\r\nTwice=3\r\nTwice=2\r\n\r\n");
}

struct IntegerCase {
  const wchar_t* text;
  std::optional<std::int32_t> value;
};

TEST(ParseIniInteger, DecimalWithSignHexadecimalWithPrefixNothingElse) {
  const IntegerCase cases[] = {
      {L"0", 0},
      {L"-0", 0},
      {L"+5", 5},
      {L"-17", -17},
      {L"007", 7},
      {L"000000000000000000000000012", 12},
      {L"2147483647", 2147483647},
      {L"-2147483648", INT32_MIN},
      {L"2147483648", std::nullopt},
      {L"-2147483649", std::nullopt},
      {L"99999999999999999999999999", std::nullopt},
      {L"0x10", 16},
      {L"0X1f", 31},
      {L"$FF", 255},
      {L"$7FFFFFFF", 2147483647},
      {L"0x0000000000000010", 16},
      {L"0x80000000", std::nullopt},
      {L"$FFFFFFFF", std::nullopt},
      {L"-0x10", std::nullopt},
      {L"-$10", std::nullopt},
      {L"0x-1", std::nullopt},
      {L"0x", std::nullopt},
      {L"$", std::nullopt},
      {L"x10", std::nullopt},
      {L"0b1", std::nullopt},
      {L"-", std::nullopt},
      {L"+", std::nullopt},
      {L"+-1", std::nullopt},
      {L"", std::nullopt},
      {L" 5", std::nullopt},
      {L"5 ", std::nullopt},
      {L"1.5", std::nullopt},
      {L"1e3", std::nullopt},
      {L"12abc", std::nullopt},
      {L"\uFF19", std::nullopt},  // full-width digit nine
      {L"\u0663", std::nullopt},  // Arabic-Indic digit three
  };
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(ParseIniInteger(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
  }
}

}  // namespace
}  // namespace framora
