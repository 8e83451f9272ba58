// Where settings.ini lives and how its in-memory image reaches the disk.
//
// Start-up (the main window's FormCreate, after the identity values are set):
//   DataFolder = ChooseDataFolder(ProgramFolder(), AppCompanyName, AppProductName);
//   SettingsIni = OpenSettingsFile(DataFolder + L"settings.ini");
//   StartupSettings s = ReadStartupSettings(SettingsIni->Image(),
//                                           GetSpecialFolderPath(CSIDL_DESKTOP));
// Each change handler writes its key (main/settings.h) and calls SettingsIni->Flush().
// Everything here runs on the window's thread.
#pragma once

#include <memory>
#include <string>

#include "main/settings_ini.h"

namespace framora {

// The current file-system path of a shell special folder (a CSIDL number); empty text
// when the shell cannot give it.
std::wstring GetSpecialFolderPath(int Csidl);

// The folder for settings.ini, ending in a backslash: `programFolder` when it is
// writable (IsDirectoryWritable), else <roaming application data>\<company>\<product>,
// whose two folders are created one level each (failures are ignored; a flush reports
// them later).
std::wstring ChooseDataFolder(const std::wstring& programFolder, const std::wstring& companyName,
                              const std::wstring& productName);

// settings.ini: its in-memory image and the path it is flushed to.
class SettingsFile {
 public:
  // Reads `fileName`: a missing file gives an empty image; a file that is not UTF-8 is
  // read in the system's ANSI code page (WasAnsi() tells) and the next flush writes it
  // as UTF-8. Raises AppError "Cannot open file ..." when the file exists but cannot be
  // read.
  explicit SettingsFile(std::wstring fileName);

  IniFile& Image() { return image_; }
  const IniFile& Image() const { return image_; }
  const std::wstring& FileName() const { return fileName_; }
  bool WasAnsi() const { return wasAnsi_; }

  // Writes the whole image over the file, all or nothing: the bytes go to a new file
  // beside it, which then replaces the old one in one step. On failure the previous file
  // stays as it was, no temporary file is left, and AppError "Cannot create file "<path>".
  // <reason>" is raised. After StopFlushing() it does nothing.
  void Flush();

  // Makes every later Flush a no-op. "Reset to Defaults..." calls it when it deletes the
  // file, so that nothing the window still does before the process ends (a change
  // handler run by the pending messages, a keystroke) writes the old values back.
  void StopFlushing() { stopped_ = true; }
  bool FlushingStopped() const { return stopped_; }

 private:
  std::wstring fileName_;
  IniFile image_;
  bool wasAnsi_ = false;
  bool stopped_ = false;
};

// Opens settings.ini by the start-up rule: when reading raises any error, the file is
// deleted (a failed deletion is ignored) and opened once more without a guard, so an
// error of the second attempt reaches the caller.
std::unique_ptr<SettingsFile> OpenSettingsFile(const std::wstring& fileName);

// The process-wide values, set by the main window's creation and kept until the process
// ends.
extern std::wstring DataFolder;                  // ends in a backslash
extern std::unique_ptr<SettingsFile> SettingsIni;

}  // namespace framora
