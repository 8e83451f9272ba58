#include "main/settings.h"

#include <gtest/gtest.h>

#include <string>

namespace framora {
namespace {

const std::wstring kDesktop = L"C:\\Users\\Me\\Desktop";
const std::string kBom = "\xEF\xBB\xBF";

StartupSettings Defaults() {
  StartupSettings s;
  s.Destination = kDesktop + L"\\Output";
  return s;
}

// One case: the lines of the "Settings" section, and how the defaults change.
struct StartupCase {
  const char* name;
  std::string lines;
  void (*expect)(StartupSettings&);
};

void PrintTo(const StartupCase& c, std::ostream* os) { *os << c.name; }

class StartupRead : public testing::TestWithParam<StartupCase> {};

TEST_P(StartupRead, ShowsWhatTheWindowMust) {
  const auto ini = IniFile::FromUtf8("[Settings]\r\n" + GetParam().lines);
  ASSERT_TRUE(ini.has_value());
  StartupSettings expected = Defaults();
  GetParam().expect(expected);
  EXPECT_EQ(ReadStartupSettings(*ini, kDesktop), expected);
}

void Unchanged(StartupSettings&) {}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupRead,
    testing::Values(
        StartupCase{"NothingStored", "", Unchanged},
        StartupCase{"SwitchesToTheirOppositeForms",
                    "InputSeeking=OFF\r\nRoundImageDuration=OFF\r\n"
                    "PadOutputFileswithLeadingZeros=ON\r\n",
                    [](StartupSettings& s) {
                      s.InputSeeking = false;
                      s.RoundImageDuration = false;
                      s.PadOutputFileswithLeadingZeros = true;
                    }},
        StartupCase{"SwitchesIgnoreOtherSpellings",
                    "InputSeeking=off\r\nRoundImageDuration=0\r\n"
                    "PadOutputFileswithLeadingZeros=on\r\n",
                    Unchanged},
        StartupCase{"SwitchesIgnoreTheirDefaultsOwnFormAndEmpty",
                    "InputSeeking=ON\r\nRoundImageDuration=\r\n"
                    "PadOutputFileswithLeadingZeros=OFF\r\n",
                    Unchanged},
        StartupCase{"SwitchWithoutValue", "PadOutputFileswithLeadingZeros\r\n", Unchanged},
        StartupCase{"DurationZeroClampsToOne", "Duration=0\r\n",
                    [](StartupSettings& s) { s.Duration = 1; }},
        StartupCase{"DurationNegativeClampsToOne", "Duration=-40\r\n",
                    [](StartupSettings& s) { s.Duration = 1; }},
        StartupCase{"DurationAboveTheControlClamps", "Duration=2000000000\r\n",
                    [](StartupSettings& s) { s.Duration = 999999999; }},
        StartupCase{"DurationBeyond32BitsIsTheDefault", "Duration=99999999999\r\n", Unchanged},
        StartupCase{"DurationLettersAreTheDefault", "Duration=abc\r\n", Unchanged},
        StartupCase{"DurationHexadecimal", "Duration=0x10\r\n",
                    [](StartupSettings& s) { s.Duration = 16; }},
        StartupCase{"DestinationEmptyStaysEmpty", "Destination=\r\n",
                    [](StartupSettings& s) { s.Destination.clear(); }},
        StartupCase{"DestinationExactly", "Destination=D:\\Stills\\Caf\xC3\xA9\r\n",
                    [](StartupSettings& s) { s.Destination = L"D:\\Stills\\Caf\u00E9"; }},
        StartupCase{"FormatPng", "Format=PNG\r\n",
                    [](StartupSettings& s) { s.Format = ImageFormat::PNG; }},
        StartupCase{"FormatBmp", "Format=BMP\r\n",
                    [](StartupSettings& s) { s.Format = ImageFormat::BMP; }},
        StartupCase{"FormatInLowerCaseIsJpg", "Format=png\r\n", Unchanged},
        StartupCase{"FormatUnknownIsJpg", "Format=GIF\r\n", Unchanged},
        StartupCase{"QualityKeptOutsideTheList", "JpegQuality=25\r\n",
                    [](StartupSettings& s) { s.JpegQuality = 25; }},
        StartupCase{"QualityLast", "JpegQuality=19\r\n",
                    [](StartupSettings& s) { s.JpegQuality = 19; }},
        StartupCase{"QualityUnreadable", "JpegQuality=90%\r\n", Unchanged}),
    [](const testing::TestParamInfo<StartupCase>& param) { return param.param.name; });

TEST(StartupRead, NamesInAnyLetterCase) {
  const auto ini = IniFile::FromUtf8("[settings]\r\nduration=5\r\nFORMAT=BMP\r\n");
  ASSERT_TRUE(ini.has_value());
  const StartupSettings s = ReadStartupSettings(*ini, kDesktop);
  EXPECT_EQ(s.Duration, 5);
  EXPECT_EQ(s.Format, ImageFormat::BMP);
}

TEST(StartupRead, SettingsOutsideTheirSectionAreNotRead) {
  const auto ini = IniFile::FromUtf8("Duration=5\r\n[Other]\r\nDuration=6\r\n");
  ASSERT_TRUE(ini.has_value());
  EXPECT_EQ(ReadStartupSettings(*ini, kDesktop), Defaults());
}

TEST(JpegQualityEntry, PositionsOutsideTheListChooseNothing) {
  EXPECT_EQ(JpegQualityEntry(0), 0);
  EXPECT_EQ(JpegQualityEntry(19), 19);
  EXPECT_EQ(JpegQualityEntry(20), -1);
  EXPECT_EQ(JpegQualityEntry(-1), -1);
  EXPECT_EQ(JpegQualityEntry(INT32_MIN), -1);
}

TEST(SettingsWrite, FirstStartWritesDestinationThenDuration) {
  // The window's start-up: the destination box receives its default, then the duration
  // control's change handler stores Duration.
  IniFile ini;
  WriteTextSetting(ini, setting::Destination, DefaultDestination(kDesktop));
  WriteIntegerSetting(ini, setting::Duration, 1000);
  EXPECT_EQ(ini.ToUtf8(), kBom +
                              "[Settings]\r\n"
                              "Destination=C:\\Users\\Me\\Desktop\\Output\r\n"
                              "Duration=1000\r\n"
                              "\r\n");
}

TEST(SettingsWrite, StoredFormsReadBackAsWritten) {
  IniFile ini;
  WriteSwitchSetting(ini, setting::InputSeeking, false);
  WriteSwitchSetting(ini, setting::RoundImageDuration, true);
  WriteSwitchSetting(ini, setting::PadOutputFileswithLeadingZeros, true);
  WriteIntegerSetting(ini, setting::Duration, 40);
  WriteTextSetting(ini, setting::Destination, L"");
  WriteFormatSetting(ini, ImageFormat::PNG);
  WriteIntegerSetting(ini, setting::JpegQuality, 0);
  EXPECT_EQ(ini.ToUtf8(), kBom +
                              "[Settings]\r\n"
                              "InputSeeking=OFF\r\n"
                              "RoundImageDuration=ON\r\n"
                              "PadOutputFileswithLeadingZeros=ON\r\n"
                              "Duration=40\r\n"
                              "Destination=\r\n"
                              "Format=PNG\r\n"
                              "JpegQuality=0\r\n"
                              "\r\n");
  const auto reread = IniFile::FromUtf8(ini.ToUtf8());
  ASSERT_TRUE(reread.has_value());
  StartupSettings expected;
  expected.InputSeeking = false;
  expected.PadOutputFileswithLeadingZeros = true;
  expected.Duration = 40;
  expected.Format = ImageFormat::PNG;
  expected.JpegQuality = 0;
  EXPECT_EQ(ReadStartupSettings(*reread, kDesktop), expected);
}

}  // namespace
}  // namespace framora
