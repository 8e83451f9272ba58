#include "main/settings_store_win.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <optional>
#include <string_view>

#include "base/error.h"
#include "base/files_win.h"
#include "base/text.h"
#include "base/unique_handle_win.h"
#include "base/win_error_win.h"

namespace framora {

std::wstring DataFolder;
std::unique_ptr<SettingsFile> SettingsIni;

namespace {

// The platform's reason for an error code, without the line break FormatMessage ends with.
std::wstring ReasonText(DWORD code) {
  std::wstring reason = Trim(SystemErrorMessage(code));
  if (reason.empty()) reason = L"System error " + std::to_wstring(code) + L".";
  return reason;
}

[[noreturn]] void RaiseFileError(std::wstring_view what, const std::wstring& path, DWORD code) {
  throw AppError(std::wstring(what) + L" \"" + path + L"\". " + ReasonText(code));
}

// The whole content of an existing file; nullopt when there is no such file (or its
// folder is missing).
std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  unique_handle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    RaiseFileError(L"Cannot open file", path, error);
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      RaiseFileError(L"Cannot open file", path, ::GetLastError());
    }
    if (read == 0) return bytes;
    bytes.append(buffer, read);
  }
}

// Text in the system's ANSI code page, the form of a file that some editor saved
// without UTF-8. Bytes the code page does not define become its replacement character.
std::wstring AnsiToUtf16(std::string_view bytes, const std::wstring& path) {
  if (bytes.empty()) return {};
  if (bytes.size() > INT_MAX) RaiseFileError(L"Cannot open file", path, ERROR_FILE_TOO_LARGE);
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  if (length == 0 ||
      ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length) != length) {
    RaiseFileError(L"Cannot open file", path, ::GetLastError());
  }
  return text;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      ::SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

std::wstring GetSpecialFolderPath(int Csidl) {
  wchar_t path[MAX_PATH] = {};
  if (::SHGetFolderPathW(nullptr, Csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  return path;
}

std::wstring ChooseDataFolder(const std::wstring& programFolder, const std::wstring& companyName,
                              const std::wstring& productName) {
  if (IsDirectoryWritable(programFolder)) return IncludeTrailingBackslash(programFolder);
  // One level at a time; an existing folder or one that cannot be made is no error here.
  const std::wstring company = GetSpecialFolderPath(CSIDL_APPDATA) + L"\\" + companyName;
  ::CreateDirectoryW(company.c_str(), nullptr);
  const std::wstring product = company + L"\\" + productName;
  ::CreateDirectoryW(product.c_str(), nullptr);
  return product + L"\\";
}

SettingsFile::SettingsFile(std::wstring fileName) : fileName_(std::move(fileName)) {
  const auto bytes = ReadWholeFile(fileName_);
  if (!bytes) return;
  if (auto image = IniFile::FromUtf8(*bytes)) {
    image_ = std::move(*image);
    return;
  }
  // Not UTF-8: keep the values rather than lose them, reading the bytes as the ANSI
  // text they most likely are. A byte-order mark is dropped first, or it would spoil the
  // first section's name.
  image_ = IniFile::Parse(AnsiToUtf16(SkipUtf8Bom(*bytes), fileName_));
  wasAnsi_ = true;
}

void SettingsFile::Flush() {
  if (stopped_) return;
  // A read-only settings.ini is not replaced, as Windows' own rename refuses it; checked
  // here as well because not every file system layer does (Wine replaces it).
  const DWORD attributes = ::GetFileAttributesW(fileName_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    RaiseFileError(L"Cannot create file", fileName_, ERROR_ACCESS_DENIED);
  }
  const std::string bytes = image_.ToUtf8();
  // The process id keeps two instances sharing the folder off each other's new file.
  const std::wstring newFile =
      fileName_ + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
  DWORD error = ERROR_SUCCESS;
  {
    unique_handle file(::CreateFileW(newFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) RaiseFileError(L"Cannot create file", fileName_, ::GetLastError());
    // On disk before the rename, so that a crash cannot leave settings.ini renamed but empty.
    if (!WriteAll(file.get(), bytes) || !::FlushFileBuffers(file.get())) {
      error = ::GetLastError();
      if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
    }
  }
  if (error == ERROR_SUCCESS &&
      !::MoveFileExW(newFile.c_str(), fileName_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = ::GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    ::DeleteFileW(newFile.c_str());
    RaiseFileError(L"Cannot create file", fileName_, error);
  }
}

std::unique_ptr<SettingsFile> OpenSettingsFile(const std::wstring& fileName) {
  try {
    return std::make_unique<SettingsFile>(fileName);
  } catch (const std::exception&) {
    // A file that cannot be read is given up; its settings take their defaults.
    ::DeleteFileW(fileName.c_str());
  }
  return std::make_unique<SettingsFile>(fileName);
}

}  // namespace framora
