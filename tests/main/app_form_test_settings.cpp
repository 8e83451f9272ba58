// The main window's start-up and its settings: what a first start shows and writes, every
// setting written the moment it changes and read back by the next start, stored oddities,
// a flush that fails, "Reset to Defaults...", the help link and the ways out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "app_form_test_fixture.h"

namespace framora::test {
namespace {

using testing::ElementsAre;
using testing::EndsWith;
using testing::HasSubstr;
using testing::StartsWith;

std::wstring DefaultDestination() {
  return GetSpecialFolderPath(CSIDL_DESKTOP) + L"\\Output";
}

std::wstring ColumnText(HWND list, int column) {
  wchar_t text[64] = {};
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT;
  info.pszText = text;
  info.cchTextMax = 64;
  ListView_GetColumn(list, column, &info);
  return text;
}

bool MenuEnabled(HMENU menu, int command) {
  return (::GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) &
          (MF_DISABLED | MF_GRAYED)) == 0;
}

using FirstStart = AppFormTest;

TEST_F(FirstStart, ShowsTheDefaultsAndWritesThemDown) {
  form->Show(SW_SHOWNORMAL);
  EXPECT_TRUE(::IsWindowVisible(Handle()));
  EXPECT_EQ(::GetFocus(), Control(IDC_LISTVIEW1));
  RECT client{};
  ::GetClientRect(Handle(), &client);
  EXPECT_EQ(client.right - client.left, 517);
  EXPECT_EQ(client.bottom - client.top, 480);
  EXPECT_EQ(WindowText(Handle()), L"Brantlow - Framora");

  EXPECT_TRUE(Checked(CM_INPUTSEEKING1));
  EXPECT_TRUE(Checked(CM_ROUNDIMAGEDURATION1));
  EXPECT_FALSE(Checked(CM_PADOUTPUTFILES1));
  EXPECT_TRUE(Checked(CM_UPDATENOTIFICATIONS1));
  EXPECT_FALSE(MenuEnabled(form->MainMenu(), CM_UPDATENOTIFICATIONS1));

  EXPECT_TRUE(RadioChosen(IDC_RADIOBUTTON2));
  EXPECT_FALSE(RadioChosen(IDC_RADIOBUTTON1));
  EXPECT_EQ(Text(IDC_RADIOBUTTON2), L"Image Duration (milliseconds):");
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"1000");
  EXPECT_EQ(Text(IDC_LABEL6), L"1.00 FPS");
  EXPECT_EQ(SelectedText(IDC_COMBOBOX1), L"JPG");
  EXPECT_EQ(SelectedText(IDC_COMBOBOX2), L"90%");
  EXPECT_TRUE(Visible(IDC_COMBOBOX2));
  EXPECT_EQ(Text(IDC_EDIT1), DefaultDestination());

  HWND list = Control(IDC_LISTVIEW1);
  EXPECT_EQ(ListView_GetItemCount(list), 0);
  EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list)), 2);
  EXPECT_EQ(ColumnText(list, 0), L"Video File");
  EXPECT_EQ(ColumnText(list, 1), L"Seconds");
  EXPECT_EQ(StatusText(), L"");

  EXPECT_EQ(IniBytes(), "\xEF\xBB\xBF[Settings]\r\nDestination=" +
                            Utf16ToUtf8(DefaultDestination()) + "\r\nDuration=1000\r\n\r\n");
  EXPECT_TRUE(services.messageBoxes.empty());
}

// A program folder that fails the writability probe (here: it holds a chk.tmp) sends the
// settings to the user's application-data folder, which a first start creates.
TEST_F(FirstStart, ProtectedProgramFolderKeepsTheSettingsPerUser) {
  const std::wstring company = GetSpecialFolderPath(CSIDL_APPDATA) + L"\\Brantlow";
  const std::wstring product = company + L"\\Framora";
  RemoveTree(company);
  form.reset();
  ::DeleteFileW(IniPath().c_str());
  WriteFile(program / L"chk.tmp", "");
  Start();
  EXPECT_EQ(DataFolder, product + L"\\");
  EXPECT_EQ(ReadBytes(product + L"\\settings.ini"),
            "\xEF\xBB\xBF[Settings]\r\nDestination=" + Utf16ToUtf8(DefaultDestination()) +
                "\r\nDuration=1000\r\n\r\n");
  EXPECT_EQ(IniBytes(), "<missing>");
  EXPECT_EQ(ReadBytes(program / L"chk.tmp"), "");  // the probe leaves a foreign chk.tmp alone
  form.reset();
  RemoveTree(company);
}

// The captions of a menu's items, "-" for a separator, sub-menus in brackets.
std::vector<std::wstring> MenuCaptions(HMENU menu) {
  std::vector<std::wstring> captions;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 128;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      captions.push_back(L"-");
      continue;
    }
    captions.push_back(text);
    if (info.hSubMenu != nullptr) {
      const auto inner = MenuCaptions(info.hSubMenu);
      captions.push_back(L"[");
      captions.insert(captions.end(), inner.begin(), inner.end());
      captions.push_back(L"]");
    }
  }
  return captions;
}

TEST_F(FirstStart, MenusAndToolbarReadAsDesigned) {
  // The top menus carry access keys (Alt+F, Alt+S, Alt+H); the captions read the same.
  EXPECT_THAT(MenuCaptions(form->MainMenu()),
              ElementsAre(L"&File", L"[", L"Add Files...", L"-", L"Exit", L"]",  //
                          L"&Settings", L"[", L"Input Seeking", L"Round Image Duration",
                          L"Pad Output Files with Leading Zeros", L"-", L"Reset to Defaults...",
                          L"]",  //
                          L"&Help", L"[", L"Online Help\tF1", L"-", L"Update Notifications", L"-",
                          L"Send Feedback...", L"About...", L"]"));
  // Every item of the list's pop-up menu is enabled, whatever the list holds.
  EXPECT_THAT(MenuCaptions(form->PopupMenu1()),
              ElementsAre(L"", L"[", L"Delete Selected", L"Delete All", L"-",
                          L"Open Folder Location...", L"Properties", L"]"));
  for (int command : {CM_DELETE1, CM_DELETEALL1, CM_OPENFOLDERLOCATION1, CM_PROPERTIES1}) {
    EXPECT_TRUE(MenuEnabled(form->PopupMenu1(), command)) << command;
  }

  HWND toolbar = Control(IDC_TOOLBAR);
  std::vector<std::wstring> buttons;
  for (int command : {TB_TOOLBUTTON3, TB_TOOLBUTTON1, TB_TOOLBUTTON7, TB_TOOLBUTTON2}) {
    wchar_t text[64] = {};
    ::SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(command),
                   reinterpret_cast<LPARAM>(text));
    buttons.push_back(text);
    EXPECT_TRUE(::SendMessageW(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0));
  }
  EXPECT_THAT(buttons, ElementsAre(L"Add Files", L"Feedback", L"About", L"Help"));
}

// ---------------------------------------------------------------------------------------
// Written at once, read back at the next start

using SettingsSurvive = AppFormTest;

TEST_F(SettingsSurvive, TheThreeSwitches) {
  struct Switch {
    int command;
    const wchar_t* key;
    bool initially;
  };
  for (const Switch& s : {Switch{CM_INPUTSEEKING1, L"InputSeeking", true},
                          Switch{CM_ROUNDIMAGEDURATION1, L"RoundImageDuration", true},
                          Switch{CM_PADOUTPUTFILES1, L"PadOutputFileswithLeadingZeros", false}}) {
    SCOPED_TRACE(Utf16ToUtf8(s.key));
    Command(s.command);
    EXPECT_EQ(Checked(s.command), !s.initially);
    EXPECT_EQ(Stored(s.key), s.initially ? L"OFF" : L"ON");
    Restart();
    EXPECT_EQ(Checked(s.command), !s.initially);
    Command(s.command);
    EXPECT_EQ(Checked(s.command), s.initially);
    EXPECT_EQ(Stored(s.key), s.initially ? L"ON" : L"OFF");
    Restart();
    EXPECT_EQ(Checked(s.command), s.initially);
  }
}

TEST_F(SettingsSurvive, DurationDestinationFormatAndQuality) {
  Retype(IDC_SPINEDIT1, L"250");
  EXPECT_EQ(Stored(L"Duration"), L"250");

  // Every keystroke in the destination box is on disk at once.
  SelectAll(IDC_EDIT1);
  const std::wstring destination = L"D:\\Stills";
  for (std::size_t typed = 1; typed <= destination.size(); ++typed) {
    Type(IDC_EDIT1, destination.substr(typed - 1, 1));
    EXPECT_EQ(Stored(L"Destination"), destination.substr(0, typed));
  }

  Pick(IDC_COMBOBOX2, 5);  // "75%"
  EXPECT_EQ(Stored(L"JpegQuality"), L"5");
  Pick(IDC_COMBOBOX1, 1);
  EXPECT_EQ(Stored(L"Format"), L"PNG");

  Restart();
  EXPECT_EQ(Text(IDC_SPINEDIT1), L"250");
  EXPECT_EQ(Text(IDC_LABEL6), L"4.00 FPS");
  EXPECT_EQ(Text(IDC_EDIT1), destination);
  EXPECT_EQ(SelectedText(IDC_COMBOBOX1), L"PNG");
  EXPECT_FALSE(Visible(IDC_COMBOBOX2));
  EXPECT_EQ(SelectedText(IDC_COMBOBOX2), L"75%");
  EXPECT_TRUE(services.messageBoxes.empty());
}

// A settings.ini written by hand, before the window starts.
class StoredSettings : public AppFormTest {
 protected:
  StoredSettings() { StartLater(); }
};

TEST_F(StoredSettings, OddValuesAreReadByTheRules) {
  struct Case {
    const char* stored;
    std::function<void(StoredSettings&)> check;
  };
  const Case cases[] = {
      {"Duration=0",
       [](StoredSettings& t) {
         EXPECT_EQ(t.Text(IDC_SPINEDIT1), L"1");
         EXPECT_EQ(t.Text(IDC_LABEL6), L"1000.00 FPS");
         EXPECT_EQ(t.Stored(L"Duration"), L"1");
       }},
      {"Duration=abc",
       [](StoredSettings& t) {
         EXPECT_EQ(t.Text(IDC_SPINEDIT1), L"1000");
         EXPECT_EQ(t.Stored(L"Duration"), L"1000");
       }},
      {"Duration=0x10",
       [](StoredSettings& t) {
         EXPECT_EQ(t.Text(IDC_SPINEDIT1), L"16");
         EXPECT_EQ(t.Stored(L"Duration"), L"16");
       }},
      {"Duration=2000000000",
       [](StoredSettings& t) {
         EXPECT_EQ(t.Text(IDC_SPINEDIT1), L"999999999");
         EXPECT_EQ(t.Stored(L"Duration"), L"999999999");
       }},
      {"Format=png",
       [](StoredSettings& t) {
         EXPECT_EQ(t.SelectedText(IDC_COMBOBOX1), L"JPG");
         EXPECT_TRUE(t.Visible(IDC_COMBOBOX2));
         EXPECT_EQ(t.Width(IDC_COMBOBOX1), 115);
       }},
      {"Format=BMP",
       [](StoredSettings& t) {
         EXPECT_EQ(t.SelectedText(IDC_COMBOBOX1), L"BMP");
         EXPECT_FALSE(t.Visible(IDC_COMBOBOX2));
         EXPECT_EQ(t.Width(IDC_COMBOBOX1), 211);
       }},
      {"JpegQuality=25", [](StoredSettings& t) { EXPECT_EQ(t.Selected(IDC_COMBOBOX2), -1); }},
      {"JpegQuality=19",
       [](StoredSettings& t) { EXPECT_EQ(t.SelectedText(IDC_COMBOBOX2), L"5%"); }},
      {"InputSeeking=off", [](StoredSettings& t) { EXPECT_TRUE(t.Checked(CM_INPUTSEEKING1)); }},
      {"RoundImageDuration=OFF",
       [](StoredSettings& t) { EXPECT_FALSE(t.Checked(CM_ROUNDIMAGEDURATION1)); }},
      {"PadOutputFileswithLeadingZeros=on",
       [](StoredSettings& t) { EXPECT_FALSE(t.Checked(CM_PADOUTPUTFILES1)); }},
      {"Destination=",
       [](StoredSettings& t) {
         EXPECT_EQ(t.Text(IDC_EDIT1), L"");
         EXPECT_EQ(t.Stored(L"Destination"), L"");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    WriteIni(c.stored);
    Start();
    c.check(*this);
    EXPECT_TRUE(services.messageBoxes.empty());
    form.reset();
    ::DeleteFileW(IniPath().c_str());
  }
}

// ---------------------------------------------------------------------------------------
// A flush that fails

using FailedFlush = AppFormTest;

TEST_F(FailedFlush, IsReportedOnceAndTheWindowGoesOn) {
  // A folder where settings.ini should be: the file cannot be replaced.
  ASSERT_TRUE(::DeleteFileW(IniPath().c_str()));
  ASSERT_TRUE(::CreateDirectoryW(IniPath().c_str(), nullptr));

  Command(CM_PADOUTPUTFILES1);
  ASSERT_EQ(services.messageBoxes.size(), 1u);
  const auto& report = services.messageBoxes[0];
  EXPECT_EQ(report.caption, L"Framora");
  EXPECT_EQ(report.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_THAT(report.text, StartsWith(L"Cannot create file \"" + IniPath() + L"\". "));
  EXPECT_THAT(report.text, EndsWith(L"."));
  EXPECT_TRUE(Checked(CM_PADOUTPUTFILES1));  // the new value stays in effect

  // With the way cleared, the next change writes both.
  ASSERT_TRUE(::RemoveDirectoryW(IniPath().c_str()));
  Retype(IDC_SPINEDIT1, L"40");
  EXPECT_EQ(Text(IDC_LABEL6), L"25.00 FPS");
  EXPECT_EQ(Stored(L"PadOutputFileswithLeadingZeros"), L"ON");
  EXPECT_EQ(Stored(L"Duration"), L"40");
  EXPECT_EQ(services.messageBoxes.size(), 1u);
}

// ---------------------------------------------------------------------------------------
// "Reset to Defaults..."

using ResetToDefaults = AppFormTest;

TEST_F(ResetToDefaults, NoChangesNothing) {
  Command(CM_PADOUTPUTFILES1);
  const std::string before = IniBytes();
  services.questionAnswer = mrNo;
  Command(CM_RESETTODEFAULTS1);

  ASSERT_EQ(services.questions.size(), 1u);
  const auto& question = services.questions[0];
  EXPECT_EQ(question.text, L"Restart Application?");
  EXPECT_EQ(question.caption, L"Confirmation");
  EXPECT_EQ(question.type, MsgDlgType::Confirmation);
  EXPECT_TRUE(question.buttons.Has(MsgDlgBtn::Yes));
  EXPECT_TRUE(question.buttons.Has(MsgDlgBtn::No));
  EXPECT_FALSE(question.buttons.Has(MsgDlgBtn::Cancel));
  EXPECT_THAT(question.captions, ElementsAre(L"Yes", L"No"));

  EXPECT_EQ(IniBytes(), before);
  EXPECT_TRUE(services.shellActions.empty());
  EXPECT_EQ(services.terminations, 0);
}

TEST_F(ResetToDefaults, YesDeletesTheFileRestartsAndEnds) {
  services.questionAnswer = mrYes;
  Command(CM_RESETTODEFAULTS1);

  EXPECT_EQ(IniBytes(), "<missing>");
  ASSERT_EQ(services.shellActions.size(), 1u);
  EXPECT_EQ(services.shellActions[0].file, ExecutablePath());
  EXPECT_EQ(services.shellActions[0].verb, L"");
  EXPECT_EQ(services.shellActions[0].parameters, L"");
  EXPECT_EQ(services.shellActions[0].show, SW_SHOWNORMAL);
  EXPECT_EQ(services.terminations, 1);

  // Whatever the window still does before it ends writes nothing back.
  Command(CM_INPUTSEEKING1);
  Retype(IDC_SPINEDIT1, L"40");
  Retype(IDC_EDIT1, L"D:\\Stills");
  Pick(IDC_COMBOBOX1, 2);
  EXPECT_EQ(IniBytes(), "<missing>");
  EXPECT_TRUE(services.messageBoxes.empty());
}

// ---------------------------------------------------------------------------------------
// Help and the ways out

using HelpAndExit = AppFormTest;

TEST_F(HelpAndExit, MenuF1AndToolbarOpenTheSameHelpPage) {
  Command(CM_HELP2);
  MSG f1{Control(IDC_LISTVIEW1), WM_KEYDOWN, VK_F1, 1, 0, {}};
  EXPECT_TRUE(::TranslateAcceleratorW(Handle(), form->Accelerators(), &f1));
  ClickToolButton(TB_TOOLBUTTON2);

  ASSERT_EQ(services.shellActions.size(), 3u);
  for (const auto& action : services.shellActions) {
    EXPECT_EQ(action.file, L"http://www.brantlow.com/help/framora/");
    EXPECT_EQ(action.verb, L"open");
    EXPECT_EQ(action.parameters, L"");
    EXPECT_EQ(action.show, 0);
    EXPECT_EQ(action.owner, ::GetDesktopWindow());
  }
}

TEST_F(HelpAndExit, ExitAndTheCloseBoxEndTheProgram) {
  Command(CM_EXIT1);
  EXPECT_EQ(services.terminations, 1);
  ::SendMessageW(Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(services.terminations, 2);
  EXPECT_TRUE(::IsWindow(Handle()));  // the message loop's end closes it, not the box
}

}  // namespace
}  // namespace framora::test
