// The main window as a test drives it: a real TAppForm on a program folder of its own,
// answered by recording desktop services, and poked with the messages a user's mouse and
// keyboard would produce (clicks, typed characters, drops, focus changes).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/files_win.h"
#include "base/text.h"
#include "base/unique_handle_win.h"
#include "extraction/extraction_window.h"
#include "main/app_form_win.h"
#include "main/settings_ini.h"
#include "main/settings_store_win.h"
#include "support/recording_services_win.h"
#include "support/temp_folder_win.h"
#include "support/test_paths.h"

namespace framora::test {

// A hard link where the file system allows it (the tools are large), else a copy.
inline bool LinkOrCopy(const std::wstring& from, const std::wstring& to) {
  return ::CreateHardLinkW(to.c_str(), from.c_str(), nullptr) ||
         ::CopyFileW(from.c_str(), to.c_str(), FALSE);
}

inline std::string ReadBytes(const std::wstring& path) {
  unique_handle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
  if (!file)
    return "<missing>";
  std::string bytes(1 << 16, '\0');
  DWORD read = 0;
  ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

// The drop Explorer hands over: a DROPFILES header and the wide paths, each ended by a zero
// and the list by a second one. The window owns it from the moment it is sent (DragFinish).
inline HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& path : paths)
    list += path + L'\0';
  list += L'\0';
  const std::size_t bytes = list.size() * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
  auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), bytes);
  ::GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

inline std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

class AppFormTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* name : {L"ffprobe.exe", L"ffmpeg.exe", L"font.ttf"}) {
      ASSERT_TRUE(LinkOrCopy(ProgramFolder() + L"\\" + name, program / name))
          << "cannot put " << Utf16ToUtf8(name) << " into the test's program folder";
    }
    ASSERT_TRUE(::CreateDirectoryW(Videos().c_str(), nullptr));
    if (startAtSetUp_)
      Start();
  }
  void TearDown() override { form.reset(); }

  // Tests that prepare settings.ini first start the window themselves.
  void StartLater() { startAtSetUp_ = false; }

  // The window as the program makes it, with FormShow's layout and focus, but not mapped on
  // the screen: Xvfb runs no window manager, and Wine waits two seconds for one whenever a
  // mapped window is hidden or destroyed. Messages, focus and notifications work the same.
  void Start() {
    form = std::make_unique<TAppForm>(AppContext{program.path(), ExecutablePath(), &services});
    form->FormShow();
  }
  // A new run of the program on the same folder: the window is gone, settings.ini stays.
  void Restart() {
    form.reset();
    Start();
  }

  // ----- what the window shows (public: the tables of cases check through them)

 public:
  HWND Handle() const { return form->Handle(); }
  HWND Control(AppFormId id) const { return form->Control(id); }
  std::wstring Text(AppFormId id) const { return WindowText(Control(id)); }
  // Shown within the window (which itself may be off the screen).
  bool Visible(AppFormId id) const {
    return (::GetWindowLongPtrW(Control(id), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  int Width(AppFormId id) const {
    RECT rect{};
    ::GetWindowRect(Control(id), &rect);
    return static_cast<int>(rect.right - rect.left);
  }
  bool Checked(int command) const {
    return (::GetMenuState(form->MainMenu(), static_cast<UINT>(command), MF_BYCOMMAND) &
            MF_CHECKED) != 0;
  }
  bool RadioChosen(AppFormId id) const {
    return ::SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  int Selected(AppFormId combo) const {
    return static_cast<int>(::SendMessageW(Control(combo), CB_GETCURSEL, 0, 0));
  }
  std::wstring SelectedText(AppFormId combo) const {
    const int index = Selected(combo);
    if (index < 0)
      return L"<none>";
    wchar_t text[64] = {};
    ::SendMessageW(Control(combo), CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::wstring StatusText() const {
    wchar_t text[256] = {};
    ::SendMessageW(Control(IDC_STATUSBAR1), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }

  // The list's rows as the list view holds them.
  std::vector<VideoRow> Rows() const {
    HWND list = Control(IDC_LISTVIEW1);
    auto cell = [&](int row, int column) {
      std::wstring text(4096, L'\0');
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text.data();
      item.cchTextMax = static_cast<int>(text.size());
      text.resize(static_cast<std::size_t>(::SendMessageW(
          list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item))));
      return text;
    };
    std::vector<VideoRow> rows;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row)
      rows.push_back({cell(row, 0), cell(row, 1)});
    return rows;
  }
  // Rows as (path, seconds) pairs, for gmock's Pair.
  std::vector<std::pair<std::wstring, std::wstring>> Listed() const {
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    for (const VideoRow& row : Rows())
      rows.emplace_back(row.Path, row.Seconds);
    return rows;
  }
  std::vector<std::wstring> RowPaths() const {
    std::vector<std::wstring> paths;
    for (const VideoRow& row : Rows())
      paths.push_back(row.Path);
    return paths;
  }

  // ----- settings.ini

  std::wstring IniPath() const { return program / L"settings.ini"; }
  std::string IniBytes() const { return ReadBytes(IniPath()); }
  // A key of the "Settings" section as the file on disk holds it; nullopt when the file
  // or the key is missing.
  std::optional<std::wstring> Stored(std::wstring_view key) const {
    const std::string bytes = IniBytes();
    if (bytes == "<missing>")
      return std::nullopt;
    const auto ini = IniFile::FromUtf8(bytes);
    if (!ini)
      return L"<not UTF-8>";
    constexpr std::wstring_view kAbsent = L"\x1F<absent>";
    const std::wstring value = ini->ReadString(L"Settings", key, kAbsent);
    if (value == kAbsent)
      return std::nullopt;
    return value;
  }
  void WriteIni(const std::string& lines) {
    WriteFile(IniPath(), "\xEF\xBB\xBF[Settings]\r\n" + lines + "\r\n");
  }

  // ----- what a user does

 protected:
  // A menu item, an accelerator or a toolbar button: WM_COMMAND with its id.
  void Command(int id) { ::SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // A push or radio button clicked with the mouse.
  void Click(AppFormId id) { ::SendMessageW(Control(id), BM_CLICK, 0, 0); }
  // A toolbar button pressed and released with the mouse over it.
  void ClickToolButton(int command) {
    HWND toolbar = Control(IDC_TOOLBAR);
    RECT rect{};
    ::SendMessageW(toolbar, TB_GETRECT, static_cast<WPARAM>(command),
                   reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::SendMessageW(toolbar, WM_MOUSEMOVE, 0, at);
    ::SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(toolbar, WM_LBUTTONUP, 0, at);
  }
  // The user picks an entry of a drop-down list.
  void Pick(AppFormId combo, int index) {
    ::SendMessageW(Control(combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Control(combo)));
  }
  // Characters typed at the caret, one key at a time.
  void Type(AppFormId id, std::wstring_view keys) {
    for (wchar_t key : keys) {
      ::SendMessageW(Control(id), WM_CHAR, key, 1);
    }
  }
  void KeyDown(AppFormId id, UINT key) { ::SendMessageW(Control(id), WM_KEYDOWN, key, 1); }
  // Selects the box's whole text, so that the next key replaces it.
  void SelectAll(AppFormId id) { ::SendMessageW(Control(id), EM_SETSEL, 0, -1); }
  void Retype(AppFormId id, std::wstring_view keys) {
    SelectAll(id);
    Type(id, keys);
  }
  void Focus(AppFormId id) { ::SetFocus(Control(id)); }
  // A click on the upper or lower arrow of the duration box's spin buttons.
  void ClickSpinButton(bool up) {
    HWND buttons = Control(IDC_SPINBUTTONS1);
    RECT rect{};
    ::GetClientRect(buttons, &rect);
    const LPARAM at = MAKELPARAM(rect.right / 2, up ? rect.bottom / 4 : rect.bottom * 3 / 4);
    ::SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(buttons, WM_LBUTTONUP, 0, at);
  }
  void Drop(const std::vector<std::wstring>& paths) {
    ::SendMessageW(Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
  }
  void SelectRows(const std::vector<int>& rows) {
    HWND list = Control(IDC_LISTVIEW1);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (int row : rows)
      ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
  }

  // ----- files

  static std::wstring Media(const std::wstring& name) { return TestMediaFolder() + L"\\" + name; }
  std::wstring Videos() const { return program / L"videos"; }
  // A test video under another name in the test's own folder.
  std::wstring VideoAs(const std::wstring& media, const std::wstring& name) const {
    const std::wstring path = Videos() + L"\\" + name;
    EXPECT_TRUE(LinkOrCopy(Media(media), path)) << Utf16ToUtf8(path);
    return path;
  }

  TempFolder program;
  RecordingServices services;
  std::unique_ptr<TAppForm> form;

 private:
  bool startAtSetUp_ = true;
};

}  // namespace framora::test
