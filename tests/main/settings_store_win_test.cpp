// The settings store against the real file system (under Wine): where settings.ini goes,
// what a flush leaves on disk when it works and when it fails, files in the ANSI code
// page, and "Reset to Defaults..." behind a fake window.
#include "main/settings_store_win.h"

#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/files_win.h"
#include "base/text.h"
#include "base/unique_handle_win.h"
#include "base/win_error_win.h"
#include "main/reset_defaults_win.h"
#include "main/settings.h"

namespace framora {
namespace {

using testing::ElementsAre;

const std::string kBom = "\xEF\xBB\xBF";

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  unique_handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << "cannot create " << Utf16ToUtf8(path);
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                          nullptr));
}

std::string ReadBytes(const std::wstring& path) {
  unique_handle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
  if (!file) return "<missing>";
  std::string bytes(1 << 16, '\0');
  DWORD read = 0;
  ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

std::wstring ReasonFor(DWORD code) { return Trim(SystemErrorMessage(code)); }

// A fresh folder below the temporary folder, removed with everything in it afterwards.
class TempFolder : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    folder_ = std::wstring(temp) + L"framora-settings-" + std::to_wstring(::GetCurrentProcessId()) +
              L"-" + std::to_wstring(++counter);
    ASSERT_TRUE(::CreateDirectoryW(folder_.c_str(), nullptr));
    ini_ = folder_ + L"\\settings.ini";
  }
  void TearDown() override { RemoveTree(folder_); }

  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path);
        } else {
          ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          ::DeleteFileW(path.c_str());
        }
      } while (::FindNextFileW(find, &data));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
  }

  std::wstring folder_;
  std::wstring ini_;
};

// --- The writable-folder test and the choice of the data folder ---

using WritableFolder = TempFolder;

TEST_F(WritableFolder, NewFolderIsWritableAndKeepsNoProbe) {
  EXPECT_TRUE(IsDirectoryWritable(folder_));
  EXPECT_TRUE(IsDirectoryWritable(folder_ + L"\\"));
  EXPECT_THAT(FilesIn(folder_), ElementsAre());
}

TEST_F(WritableFolder, ExistingProbeFileMakesItNotWritableAndStays) {
  WriteBytes(folder_ + L"\\chk.tmp", "someone's file");
  EXPECT_FALSE(IsDirectoryWritable(folder_));
  EXPECT_EQ(ReadBytes(folder_ + L"\\chk.tmp"), "someone's file");
}

TEST_F(WritableFolder, MissingFolderIsNotWritable) {
  EXPECT_FALSE(IsDirectoryWritable(folder_ + L"\\missing"));
}

TEST(SpecialFolders, ApplicationDataExistsUnknownNumberGivesEmptyText) {
  const std::wstring appData = GetSpecialFolderPath(CSIDL_APPDATA);
  EXPECT_TRUE(DirectoryExists(appData)) << Utf16ToUtf8(appData);
  EXPECT_FALSE(GetSpecialFolderPath(CSIDL_DESKTOP).empty());
  EXPECT_EQ(GetSpecialFolderPath(0x7F), L"");
}

using DataFolderChoice = TempFolder;

TEST_F(DataFolderChoice, WritableProgramFolderHoldsTheSettings) {
  EXPECT_EQ(ChooseDataFolder(folder_, L"Brantlow", L"Framora"), folder_ + L"\\");
}

// A first start from a protected program folder: the per-user folders are made below the
// roaming application data, and the start-up flush writes settings.ini there.
class PerUserDataFolder : public TempFolder {
 protected:
  void SetUp() override {
    TempFolder::SetUp();
    company_ = GetSpecialFolderPath(CSIDL_APPDATA) + L"\\Brantlow";
    product_ = company_ + L"\\Framora";
    Clean();
    ASSERT_FALSE(DirectoryExists(company_)) << "left over: " << Utf16ToUtf8(company_);
  }
  void TearDown() override {
    Clean();
    TempFolder::TearDown();
  }
  // Only what this test makes: settings.ini and the two folders (a folder that holds
  // anything else is not removed).
  void Clean() {
    ::DeleteFileW((product_ + L"\\settings.ini").c_str());
    ::RemoveDirectoryW(product_.c_str());
    ::RemoveDirectoryW(company_.c_str());
  }
  std::wstring company_;
  std::wstring product_;
};

TEST_F(PerUserDataFolder, ProgramFolderHoldingAProbeFileSendsSettingsToTheUser) {
  WriteBytes(folder_ + L"\\chk.tmp", "");
  const std::wstring dataFolder = ChooseDataFolder(folder_, L"Brantlow", L"Framora");
  EXPECT_EQ(dataFolder, product_ + L"\\");
  EXPECT_TRUE(DirectoryExists(product_));

  auto settings = OpenSettingsFile(dataFolder + L"settings.ini");
  WriteIntegerSetting(settings->Image(), setting::Duration, 1000);
  settings->Flush();
  EXPECT_EQ(ReadBytes(product_ + L"\\settings.ini"), kBom + "[Settings]\r\nDuration=1000\r\n\r\n");
  EXPECT_THAT(FilesIn(folder_), ElementsAre(L"chk.tmp"));

  // The next start finds the folders in place.
  EXPECT_EQ(ChooseDataFolder(folder_, L"Brantlow", L"Framora"), product_ + L"\\");
}

TEST_F(PerUserDataFolder, MissingProgramFolderCountsAsProtected) {
  EXPECT_EQ(ChooseDataFolder(folder_ + L"\\missing", L"Brantlow", L"Framora"), product_ + L"\\");
}

// --- Opening and flushing ---

using SettingsFlush = TempFolder;

TEST_F(SettingsFlush, MissingFileGivesEmptyImageAndFirstFlushCreatesIt) {
  auto settings = OpenSettingsFile(ini_);
  EXPECT_EQ(settings->Image(), IniFile());
  EXPECT_FALSE(settings->WasAnsi());
  EXPECT_THAT(FilesIn(folder_), ElementsAre());

  WriteTextSetting(settings->Image(), setting::Destination, L"C:\\Users\\Me\\Desktop\\Output");
  WriteIntegerSetting(settings->Image(), setting::Duration, 1000);
  settings->Flush();
  EXPECT_EQ(ReadBytes(ini_), kBom +
                                 "[Settings]\r\n"
                                 "Destination=C:\\Users\\Me\\Desktop\\Output\r\n"
                                 "Duration=1000\r\n"
                                 "\r\n");
  EXPECT_THAT(FilesIn(folder_), ElementsAre(L"settings.ini"));
}

TEST_F(SettingsFlush, ReplacesTheFileAndKeepsUnknownSections) {
  const std::string before = kBom +
                             "[Window]\r\n"
                             "Left=10\r\n"
                             "\r\n"
                             "[Settings]\r\n"
                             "Future=\xE6\x97\xA5\r\n"
                             "Duration=500\r\n"
                             "\r\n"
                             "[Recent]\r\n"
                             "File1=D:\\clip.mp4\r\n"
                             "\r\n";
  WriteBytes(ini_, before);
  auto settings = OpenSettingsFile(ini_);
  WriteIntegerSetting(settings->Image(), setting::Duration, 40);
  WriteFormatSetting(settings->Image(), ImageFormat::PNG);
  settings->Flush();
  std::string expected = before;
  expected.replace(expected.find("Duration=500\r\n"), 14, "Duration=40\r\nFormat=PNG\r\n");
  EXPECT_EQ(ReadBytes(ini_), expected);
  EXPECT_THAT(FilesIn(folder_), ElementsAre(L"settings.ini"));
}

TEST_F(SettingsFlush, ReadOnlyFileStaysIntactAndTheErrorNamesIt) {
  const std::string before = kBom + "[Settings]\r\nDuration=500\r\n\r\n";
  WriteBytes(ini_, before);
  auto settings = OpenSettingsFile(ini_);
  ASSERT_TRUE(::SetFileAttributesW(ini_.c_str(), FILE_ATTRIBUTE_READONLY));
  WriteIntegerSetting(settings->Image(), setting::Duration, 40);
  try {
    settings->Flush();
    ADD_FAILURE() << "the flush over a read-only file succeeded";
  } catch (const AppError& e) {
    EXPECT_EQ(e.message(),
              L"Cannot create file \"" + ini_ + L"\". " + ReasonFor(ERROR_ACCESS_DENIED));
  }
  EXPECT_EQ(ReadBytes(ini_), before);
  EXPECT_THAT(FilesIn(folder_), ElementsAre(L"settings.ini"));

  // The value stays in memory and goes out with the next flush that can write.
  ASSERT_TRUE(::SetFileAttributesW(ini_.c_str(), FILE_ATTRIBUTE_NORMAL));
  settings->Flush();
  EXPECT_EQ(ReadBytes(ini_), kBom + "[Settings]\r\nDuration=40\r\n\r\n");
}

// The new file is written, but it cannot take the old one's place: it must go again.
TEST_F(SettingsFlush, FailedReplaceLeavesTheOldFileAndNoNewOne) {
  const std::string before = kBom + "[Settings]\r\nDuration=500\r\n\r\n";
  WriteBytes(ini_, before);
  auto settings = OpenSettingsFile(ini_);
  WriteIntegerSetting(settings->Image(), setting::Duration, 40);
  {
    // Another program reads the file and does not let it be replaced meanwhile.
    unique_handle holder(::CreateFileW(ini_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    try {
      settings->Flush();
      ADD_FAILURE() << "a held settings.ini was replaced";
    } catch (const AppError& e) {
      const std::wstring prefix = L"Cannot create file \"" + ini_ + L"\". ";
      EXPECT_TRUE(e.message().starts_with(prefix)) << e.what();
      EXPECT_GT(e.message().size(), prefix.size()) << "no reason given";
      EXPECT_NE(e.message().back(), L'\n');
    }
  }
  EXPECT_EQ(ReadBytes(ini_), before);
  EXPECT_THAT(FilesIn(folder_), ElementsAre(L"settings.ini"));

  // A folder in settings.ini's place cannot be replaced either.
  const std::wstring other = folder_ + L"\\other";
  ASSERT_TRUE(::CreateDirectoryW(other.c_str(), nullptr));
  SettingsFile blocked(other + L"\\settings.ini");
  ASSERT_TRUE(::CreateDirectoryW((other + L"\\settings.ini").c_str(), nullptr));
  EXPECT_THROW(blocked.Flush(), AppError);
  EXPECT_THAT(FilesIn(other), ElementsAre(L"settings.ini"));
  EXPECT_TRUE(DirectoryExists(other + L"\\settings.ini"));
}

TEST_F(SettingsFlush, MissingFolderRaisesTheErrorAndLeavesNothing) {
  const std::wstring path = folder_ + L"\\Brantlow\\Framora\\settings.ini";
  auto settings = OpenSettingsFile(path);
  WriteIntegerSetting(settings->Image(), setting::Duration, 1000);
  try {
    settings->Flush();
    ADD_FAILURE() << "the flush into a missing folder succeeded";
  } catch (const AppError& e) {
    EXPECT_EQ(e.message(),
              L"Cannot create file \"" + path + L"\". " + ReasonFor(ERROR_PATH_NOT_FOUND));
    EXPECT_NE(e.message().back(), L'\n');
  }
  EXPECT_THAT(FilesIn(folder_), ElementsAre());
}

TEST_F(SettingsFlush, StoppedStoreNeverWritesAgain) {
  auto settings = OpenSettingsFile(ini_);
  settings->StopFlushing();
  WriteIntegerSetting(settings->Image(), setting::Duration, 1);
  settings->Flush();
  EXPECT_THAT(FilesIn(folder_), ElementsAre());
}

// --- Files that are not UTF-8, and files that cannot be read ---

TEST_F(SettingsFlush, AnsiFileIsReadInTheCodePageAndRewrittenAsUtf8) {
  // Saved by an editor in code page 1252 (the tests' Windows locale is en-US).
  WriteBytes(ini_, "[Settings]\r\nDestination=C:\\Caf\xE9\r\nDuration=40\r\n");
  auto settings = OpenSettingsFile(ini_);
  EXPECT_TRUE(settings->WasAnsi());
  const StartupSettings values = ReadStartupSettings(settings->Image(), L"C:\\Desktop");
  EXPECT_EQ(values.Destination, L"C:\\Caf\u00E9");
  EXPECT_EQ(values.Duration, 40);
  // Nothing was deleted; the start-up flush writes UTF-8.
  EXPECT_EQ(ReadBytes(ini_), "[Settings]\r\nDestination=C:\\Caf\xE9\r\nDuration=40\r\n");
  settings->Flush();
  EXPECT_EQ(ReadBytes(ini_),
            kBom + "[Settings]\r\nDestination=C:\\Caf\xC3\xA9\r\nDuration=40\r\n\r\n");
}

TEST_F(SettingsFlush, AnsiFileWithAByteOrderMarkKeepsItsFirstSection) {
  WriteBytes(ini_, kBom + "[Settings]\r\nDestination=\xC0 bient\xF4t\r\n");
  auto settings = OpenSettingsFile(ini_);
  EXPECT_TRUE(settings->WasAnsi());
  EXPECT_EQ(settings->Image().ReadString(L"Settings", L"Destination", L""),
            L"\u00C0 bient\u00F4t");
}

TEST_F(SettingsFlush, FileThatCanNeitherBeReadNorDeletedRaises) {
  WriteBytes(ini_, kBom + "[Settings]\r\nDuration=5\r\n");
  // Another program holds the file without sharing it.
  unique_handle holder(::CreateFileW(ini_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder);
  try {
    OpenSettingsFile(ini_);
    ADD_FAILURE() << "a locked settings.ini was opened";
  } catch (const AppError& e) {
    EXPECT_EQ(e.message(),
              L"Cannot open file \"" + ini_ + L"\". " + ReasonFor(ERROR_SHARING_VIOLATION));
  }
  holder.reset();
  EXPECT_EQ(ReadBytes(ini_), kBom + "[Settings]\r\nDuration=5\r\n");
}

// --- "Reset to Defaults..." ---

// The window's part, recorded.
class FakeWindow : public ResetHost {
 public:
  explicit FakeWindow(int answer) : answer_(answer) {}

  HWND OwnerWindow() const override { return nullptr; }
  int Ask(const std::wstring& text, MsgDlgType type, MsgDlgButtons buttons,
          const std::wstring& caption, const std::vector<std::wstring>& captions) override {
    calls.push_back(L"Ask");
    askedText = text;
    askedType = type;
    askedCaption = caption;
    askedCaptions = captions;
    askedYesNoOnly = buttons.Has(MsgDlgBtn::Yes) && buttons.Has(MsgDlgBtn::No) &&
                     !buttons.Has(MsgDlgBtn::Cancel) && !buttons.Has(MsgDlgBtn::OK);
    return answer_;
  }
  void ProcessMessages() override {
    calls.push_back(L"ProcessMessages");
    ResetHost::ProcessMessages();
  }
  void Restart(const std::wstring& executablePath) override {
    calls.push_back(L"Restart " + executablePath);
  }
  void Terminate() override { calls.push_back(L"Terminate"); }

  std::vector<std::wstring> calls;
  std::wstring askedText, askedCaption;
  MsgDlgType askedType = MsgDlgType::Custom;
  std::vector<std::wstring> askedCaptions;
  bool askedYesNoOnly = false;

 private:
  int answer_;
};

using ResetToDefaultsCommand = TempFolder;

TEST_F(ResetToDefaultsCommand, AsksTheConfirmationQuestion) {
  WriteBytes(ini_, kBom + "[Settings]\r\nDuration=5\r\n\r\n");
  auto settings = OpenSettingsFile(ini_);
  FakeWindow window(mrNo);
  ResetToDefaults(*settings, window);
  EXPECT_EQ(window.askedText, L"Restart Application?");
  EXPECT_EQ(window.askedType, MsgDlgType::Confirmation);
  EXPECT_TRUE(window.askedYesNoOnly);
  EXPECT_EQ(window.askedCaption, L"Confirmation");
  EXPECT_THAT(window.askedCaptions, ElementsAre(L"Yes", L"No"));
}

TEST_F(ResetToDefaultsCommand, AnythingButYesChangesNothing) {
  for (int answer : {mrNo, mrCancel, 0}) {
    WriteBytes(ini_, kBom + "[Settings]\r\nDuration=5\r\n\r\n");
    auto settings = OpenSettingsFile(ini_);
    FakeWindow window(answer);
    ResetToDefaults(*settings, window);
    EXPECT_THAT(window.calls, ElementsAre(L"Ask")) << answer;
    EXPECT_EQ(ReadBytes(ini_), kBom + "[Settings]\r\nDuration=5\r\n\r\n");
    WriteIntegerSetting(settings->Image(), setting::Duration, 6);
    settings->Flush();
    EXPECT_EQ(ReadBytes(ini_), kBom + "[Settings]\r\nDuration=6\r\n\r\n");
  }
}

TEST_F(ResetToDefaultsCommand, YesDeletesTheFileRestartsAndEnds) {
  WriteBytes(ini_, kBom + "[Settings]\r\nDuration=5\r\n\r\n");
  auto settings = OpenSettingsFile(ini_);
  FakeWindow window(mrYes);
  ResetToDefaults(*settings, window);
  EXPECT_THAT(window.calls, ElementsAre(L"Ask", L"ProcessMessages",
                                        L"Restart " + ExecutablePath(), L"Terminate"));
  EXPECT_FALSE(FileExists(ini_));
  // The image in memory is untouched but can no longer reach the disk.
  EXPECT_EQ(settings->Image().ReadInteger(L"Settings", L"Duration", 0), 5);
  settings->Flush();
  EXPECT_FALSE(FileExists(ini_));
}

TEST_F(ResetToDefaultsCommand, MissingFileStillRestarts) {
  auto settings = OpenSettingsFile(ini_);
  FakeWindow window(mrYes);
  ResetToDefaults(*settings, window);
  EXPECT_THAT(window.calls, ElementsAre(L"Ask", L"ProcessMessages",
                                        L"Restart " + ExecutablePath(), L"Terminate"));
}

// A change handler that runs among the pending messages (say, the last keystroke in the
// destination box) must not write the file back after it was deleted.
TEST_F(ResetToDefaultsCommand, PendingChangeHandlerDoesNotWriteTheFileBack) {
  WriteBytes(ini_, kBom + "[Settings]\r\nDuration=5\r\n\r\n");
  auto settings = OpenSettingsFile(ini_);
  static SettingsFile* store = nullptr;
  static bool handlerRan = false;
  store = settings.get();
  handlerRan = false;
  WNDCLASSW wc{};
  wc.lpszClassName = L"FramoraResetTestWindow";
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == WM_APP) {
      handlerRan = true;
      WriteTextSetting(store->Image(), setting::Destination, L"D:\\typed");
      store->Flush();
      return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  };
  ::RegisterClassW(&wc);
  HWND window = ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  ::PostMessageW(window, WM_APP, 0, 0);

  FakeWindow host(mrYes);
  ResetToDefaults(*settings, host);
  EXPECT_TRUE(handlerRan);
  EXPECT_FALSE(FileExists(ini_));
  ::DestroyWindow(window);
}

}  // namespace
}  // namespace framora
