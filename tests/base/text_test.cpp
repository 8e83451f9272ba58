#include "base/text.h"

#include <stdexcept>

#include "base/error.h"

#include <gtest/gtest.h>

namespace framora {
namespace {

TEST(Utf8ToUtf16, DecodesAllSequenceLengths) {
  const auto text = Utf8ToUtf16("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\x9E");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, std::wstring({L'A', wchar_t(0xE9), wchar_t(0x20AC), wchar_t(0xD83C),
                                 wchar_t(0xDF9E)}));
}

TEST(Utf8ToUtf16, RefusesMalformedInput) {
  for (const char* bad : {"\xE9", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\xE2\x82", "\x80", "\xFF"}) {
    EXPECT_FALSE(Utf8ToUtf16(bad).has_value()) << testing::PrintToString(std::string(bad));
  }
}

TEST(Utf16ToUtf8, RoundTripsAndReplacesLoneSurrogates) {
  const std::string utf8 = "Stills \xC3\xA9\xF0\x9F\x8E\x9E";
  EXPECT_EQ(Utf16ToUtf8(*Utf8ToUtf16(utf8)), utf8);
  EXPECT_EQ(Utf16ToUtf8(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Trim, RemovesControlCharactersAndBlanksAtBothEnds) {
  EXPECT_EQ(Trim(L"\r\n\t 12.480000\r\n"), L"12.480000");
  EXPECT_EQ(Trim(L" a\r\nb "), L"a\r\nb");
  EXPECT_EQ(Trim(L" \x01\x1F "), L"");
  EXPECT_EQ(Trim(L""), L"");
}

TEST(ExceptionMessage, ShowsAnAppErrorsTextAndDecodesOtherExceptions) {
  EXPECT_EQ(ExceptionMessage(AppError(L"Unable to create directory")),
            L"Unable to create directory");
  EXPECT_EQ(ExceptionMessage(std::runtime_error("Caf\xC3\xA9")), L"Caf\u00E9");
  EXPECT_EQ(ExceptionMessage(std::runtime_error("\xFF")), L"Unknown error");
}

}  // namespace
}  // namespace framora
