// The settings panel of the real window: the image duration box typed into key by key, its
// spin buttons and the rate label, the mode, the format and quality boxes, and the folder
// chooser.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/locale_win.h"
#include "main/dpi_win.h"
#include "app_form_test_fixture.h"

namespace framora::test {
namespace {

using DurationBox = AppFormTest;

TEST_F(DurationBox, TypedValuesSetTheRateLabelAndAreStored) {
  struct Case {
    const wchar_t* typed;
    const wchar_t* label;
  };
  for (const Case& c :
       {Case{L"1000", L"1.00 FPS"}, Case{L"40", L"25.00 FPS"}, Case{L"3", L"333.30 FPS"},
        Case{L"7", L"142.90 FPS"}, Case{L"1", L"1000.00 FPS"}, Case{L"30000", L"0.03 FPS"},
        Case{L"999999999", L"0.00 FPS"}, Case{L"-5", L"-200.00 FPS"}}) {
    SCOPED_TRACE(Utf16ToUtf8(c.typed));
    Retype(IDC_SPINEDIT1, c.typed);
    EXPECT_EQ(Text(IDC_SPINEDIT1), c.typed);
    EXPECT_EQ(Text(IDC_LABEL6), c.label);
    EXPECT_EQ(Stored(L"Duration"), c.typed);
  }
  EXPECT_EQ(services.beeps, 0);
}

TEST_F(DurationBox, EveryKeystrokeCounts) {
  // An empty box reads as 1.
  Retype(IDC_SPINEDIT1, L"\b");
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"");
  EXPECT_EQ(Text(IDC_LABEL6), L"1000.00 FPS");
  EXPECT_EQ(Stored(L"Duration"), L"1");
  Type(IDC_SPINEDIT1, L"2");
  EXPECT_EQ(Text(IDC_LABEL6), L"500.00 FPS");
  EXPECT_EQ(Stored(L"Duration"), L"2");
  Type(IDC_SPINEDIT1, L"5");
  EXPECT_EQ(Text(IDC_LABEL6), L"40.00 FPS");
  EXPECT_EQ(Stored(L"Duration"), L"25");

  // A letter is refused with a beep and changes nothing, on screen or on disk.
  const std::string before = IniBytes();
  Type(IDC_SPINEDIT1, L"a");
  EXPECT_EQ(services.beeps, 1);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"25");
  EXPECT_EQ(Text(IDC_LABEL6), L"40.00 FPS");
  EXPECT_EQ(IniBytes(), before);

  // The decimal separator gets in; text that is no whole number reads as 1.
  Type(IDC_SPINEDIT1, L".");
  EXPECT_EQ(services.beeps, 1);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"25.");
  EXPECT_EQ(Text(IDC_LABEL6), L"1000.00 FPS");
  EXPECT_EQ(Stored(L"Duration"), L"1");
}

TEST_F(DurationBox, ArrowKeysAndSpinButtonsStepWithinTheBounds) {
  Retype(IDC_SPINEDIT1, L"999999998");
  KeyDown(IDC_SPINEDIT1, VK_UP);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"999999999");
  KeyDown(IDC_SPINEDIT1, VK_UP);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"999999999");
  ClickSpinButton(true);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"999999999");
  ClickSpinButton(false);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"999999998");
  EXPECT_EQ(Stored(L"Duration"), L"999999998");

  Retype(IDC_SPINEDIT1, L"2");
  KeyDown(IDC_SPINEDIT1, VK_DOWN);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"1");
  KeyDown(IDC_SPINEDIT1, VK_DOWN);
  ClickSpinButton(false);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"1");
  ClickSpinButton(true);
  ClickSpinButton(true);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"3");
  EXPECT_EQ(Text(IDC_LABEL6), L"333.30 FPS");
  EXPECT_EQ(Stored(L"Duration"), L"3");
  KeyDown(IDC_SPINEDIT1, VK_UP);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"4");
  EXPECT_EQ(Stored(L"Duration"), L"4");
  EXPECT_EQ(services.beeps, 0);
}

TEST_F(DurationBox, ZeroWaitsUntilTheBoxIsLeft) {
  Focus(IDC_SPINEDIT1);
  Retype(IDC_SPINEDIT1, L"40");
  Retype(IDC_SPINEDIT1, L"0");
  // No rate for 0: no error box, the label and the stored value stay as they were.
  EXPECT_TRUE(services.messageBoxes.empty());
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"0");
  EXPECT_EQ(Text(IDC_LABEL6), L"25.00 FPS");
  EXPECT_EQ(Stored(L"Duration"), L"40");

  Focus(IDC_EDIT1);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"1");
  EXPECT_EQ(Text(IDC_LABEL6), L"1000.00 FPS");
  EXPECT_EQ(Stored(L"Duration"), L"1");

  // A negative number stands while typing, and is brought to 1 likewise.
  Focus(IDC_SPINEDIT1);
  Retype(IDC_SPINEDIT1, L"-7");
  EXPECT_EQ(Stored(L"Duration"), L"-7");
  Focus(IDC_COMBOBOX1);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"1");
  EXPECT_EQ(Stored(L"Duration"), L"1");
  EXPECT_TRUE(services.messageBoxes.empty());
}

// The same window in a German locale: the test main_app_form_tests_comma_locale.
class CommaLocale : public AppFormTest {
 protected:
  void SetUp() override {
    const char* lang = std::getenv("FRAMORA_WINE_LANG");
    if (lang == nullptr || std::string(lang).rfind("de_", 0) != 0) {
      GTEST_SKIP() << "runs in main_app_form_tests_comma_locale";
    }
    AppFormTest::SetUp();
  }
};

TEST_F(CommaLocale, RateLabelAndKeysFollowTheUsersSeparator) {
  ASSERT_EQ(UserDecimalSeparator(), L',');
  Retype(IDC_SPINEDIT1, L"40");
  EXPECT_EQ(Text(IDC_LABEL6), L"25,00 FPS");
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"40");
  Type(IDC_SPINEDIT1, L".");
  EXPECT_EQ(services.beeps, 1);
  Type(IDC_SPINEDIT1, L",");
  EXPECT_EQ(services.beeps, 1);
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"40,");
}

// ---------------------------------------------------------------------------------------
// Mode, format and quality

using Panel = AppFormTest;

TEST_F(Panel, AllFramesHidesTheDurationAndKeepsIt) {
  Retype(IDC_SPINEDIT1, L"250");
  Click(IDC_RADIOBUTTON1);
  EXPECT_TRUE(RadioChosen(IDC_RADIOBUTTON1));
  EXPECT_FALSE(RadioChosen(IDC_RADIOBUTTON2));
  for (AppFormId id : {IDC_SPINEDIT1, IDC_SPINBUTTONS1, IDC_LABEL6})
    EXPECT_FALSE(Visible(id));
  EXPECT_EQ(Stored(L"Duration"), L"250");

  Click(IDC_RADIOBUTTON2);
  EXPECT_TRUE(RadioChosen(IDC_RADIOBUTTON2));
  for (AppFormId id : {IDC_SPINEDIT1, IDC_SPINBUTTONS1, IDC_LABEL6})
    EXPECT_TRUE(Visible(id));
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"250");
  EXPECT_EQ(Text(IDC_LABEL6), L"4.00 FPS");
}

TEST_F(Panel, FormatDecidesTheQualityBoxAndTheFormatBoxWidth) {
  ASSERT_EQ(WindowDpi(Handle()), 96u);
  for (int x : {0, 1, 115, 211, 517})
    EXPECT_EQ(form->ScaleDimension(x), x);

  EXPECT_EQ(Width(IDC_COMBOBOX1), 115);
  Pick(IDC_COMBOBOX2, 1);  // "95%"
  EXPECT_EQ(Stored(L"JpegQuality"), L"1");

  struct Case {
    int entry;
    const wchar_t* format;
    bool quality;
    int width;
  };
  for (const Case& c : {Case{1, L"PNG", false, 211}, Case{0, L"JPG", true, 115},
                        Case{2, L"BMP", false, 211}, Case{0, L"JPG", true, 115}}) {
    SCOPED_TRACE(Utf16ToUtf8(c.format));
    Pick(IDC_COMBOBOX1, c.entry);
    EXPECT_EQ(Stored(L"Format"), c.format);
    EXPECT_EQ(Visible(IDC_LABEL3), c.quality);
    EXPECT_EQ(Visible(IDC_COMBOBOX2), c.quality);
    EXPECT_EQ(Width(IDC_COMBOBOX1), c.width);
    EXPECT_EQ(SelectedText(IDC_COMBOBOX2), L"95%");  // chosen while hidden, too
  }
}

TEST_F(Panel, AMoveToAMonitorOfOtherResolutionScalesTheLayout) {
  // What Windows sends when the window is dragged to another monitor: the new resolution
  // and the window's rectangle scaled to it.
  int current = 96;
  auto moveTo = [&](int dpi) {
    RECT window{};
    ::GetWindowRect(Handle(), &window);
    RECT suggested{window.left, window.top,
                   window.left + ::MulDiv(window.right - window.left, dpi, current),
                   window.top + ::MulDiv(window.bottom - window.top, dpi, current)};
    current = dpi;
    ::SendMessageW(Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
  };
  HWND list = Control(IDC_LISTVIEW1);
  moveTo(144);
  EXPECT_EQ(form->ScaleDimension(115), 173);
  EXPECT_EQ(Width(IDC_COMBOBOX1), 173);
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), 255);
  EXPECT_EQ(ListView_GetColumnWidth(list, 1), 150);
  Pick(IDC_COMBOBOX1, 1);
  EXPECT_EQ(Width(IDC_COMBOBOX1), 317);

  moveTo(96);
  EXPECT_EQ(Width(IDC_COMBOBOX1), 211);
  EXPECT_EQ(ListView_GetColumnWidth(list, 0), 170);
  Pick(IDC_COMBOBOX1, 0);
  EXPECT_EQ(Width(IDC_COMBOBOX1), 115);
}

// ---------------------------------------------------------------------------------------
// The folder chooser

using FolderChooser = AppFormTest;

TEST_F(FolderChooser, StartsWhereTheLastChoiceWasMade) {
  const std::wstring first = program / L"first";
  const std::wstring second = program / L"second";
  const std::wstring shown = Text(IDC_EDIT1);
  ASSERT_FALSE(shown.empty());

  // The first use in a run starts where the platform decides, not at the box's folder.
  services.chosenFolder = first;
  Click(IDC_BUTTON2);
  EXPECT_EQ(Text(IDC_EDIT1), first);
  EXPECT_EQ(Stored(L"Destination"), first);

  services.chosenFolder.reset();  // cancelled
  const std::string before = IniBytes();
  Click(IDC_BUTTON2);
  EXPECT_EQ(Text(IDC_EDIT1), first);
  EXPECT_EQ(IniBytes(), before);

  services.chosenFolder = second;
  Click(IDC_BUTTON2);
  EXPECT_EQ(Text(IDC_EDIT1), second);
  EXPECT_EQ(Stored(L"Destination"), second);

  ASSERT_EQ(services.folderChoices.size(), 3u);
  EXPECT_EQ(services.folderChoices[0].start, L"");
  EXPECT_EQ(services.folderChoices[1].start, first);
  EXPECT_EQ(services.folderChoices[2].start, first);
  for (const auto& choice : services.folderChoices) {
    EXPECT_EQ(choice.title, L"Select folder:");
    EXPECT_EQ(choice.okLabel, L"Select");
  }
}

}  // namespace
}  // namespace framora::test
