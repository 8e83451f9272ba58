#include "main/rate_label.h"

#include <gtest/gtest.h>

namespace framora {
namespace {

TEST(RateLabelText, RoundsToFourSignificantDigitsAndShowsTwoDecimals) {
  struct Case {
    std::int32_t duration;
    const wchar_t* label;
  };
  for (const Case& c : {Case{1000, L"1.00 FPS"}, Case{40, L"25.00 FPS"}, Case{3, L"333.30 FPS"},
                        Case{7, L"142.90 FPS"}, Case{1, L"1000.00 FPS"},
                        Case{30000, L"0.03 FPS"}, Case{999999999, L"0.00 FPS"},
                        Case{-5, L"-200.00 FPS"}, Case{8000, L"0.13 FPS"},
                        Case{1500, L"0.67 FPS"}, Case{25, L"40.00 FPS"}, Case{-1, L"-1000.00 FPS"},
                        Case{-999999999, L"0.00 FPS"}}) {
    EXPECT_EQ(RateLabelText(c.duration, L'.'), c.label) << c.duration;
  }
}

TEST(RateLabelText, UsesTheUsersDecimalSeparatorAndHasNoRateForZero) {
  EXPECT_EQ(RateLabelText(40, L','), L"25,00 FPS");
  EXPECT_EQ(RateLabelText(0, L'.'), std::nullopt);
}

TEST(SpinEditValue, ReadsWholeNumbersAndFallsBackToTheMinimum) {
  struct Case {
    const wchar_t* text;
    std::int32_t value;
  };
  for (const Case& c : {Case{L"1000", 1000}, Case{L"", 1}, Case{L"0", 0}, Case{L"-5", -5},
                        Case{L"+25", 25}, Case{L" 42 ", 42}, Case{L"2147483647", 2147483647},
                        Case{L"2147483648", 1}, Case{L"99999999999", 1}, Case{L"1,5", 1},
                        Case{L"-", 1}, Case{L"12a", 1}, Case{L"1234567890", 1234567890}}) {
    EXPECT_EQ(SpinEditValue(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
  }
  EXPECT_EQ(ClampImageDuration(0), 1);
  EXPECT_EQ(ClampImageDuration(-7), 1);
  EXPECT_EQ(ClampImageDuration(1234567890), 999999999);
  EXPECT_EQ(ClampImageDuration(500), 500);
}

}  // namespace
}  // namespace framora
