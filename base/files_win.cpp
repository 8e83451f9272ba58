#include "base/files_win.h"

#include <windows.h>

#include "base/unique_handle_win.h"
#include "base/win_error_win.h"

namespace framora {

std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) RaiseLastOSError();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ExtractFolder(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  // "C:\file" keeps "C:\"; "\\server\share\file" and "C:\a\file" drop the delimiter.
  if (slash == 2 && path.size() > 1 && path[1] == L':') return path.substr(0, 3);
  return path.substr(0, slash);
}

std::wstring ProgramFolder() { return ExtractFolder(ExecutablePath()); }

bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring IncludeTrailingBackslash(const std::wstring& path) {
  if (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) return path;
  return path + L'\\';
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) RaiseLastOSError();
  std::wstring full(size, L'\0');
  const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) RaiseLastOSError();
  full.resize(length);
  return full;
}

bool ForceDirectories(const std::wstring& path) {
  std::wstring folder = path;
  while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  if (DirectoryExists(folder)) return true;
  const std::wstring parent = ExtractFolder(folder);
  if (!parent.empty() && parent != folder && !ForceDirectories(parent)) return false;
  if (::CreateDirectoryW(folder.c_str(), nullptr)) return true;
  // Another process may have made it meanwhile; a file of that name is still a failure,
  // reported with CreateDirectoryW's own error.
  const DWORD error = ::GetLastError();
  if (DirectoryExists(folder)) return true;
  ::SetLastError(error);
  return false;
}

bool IsDirectoryWritable(const std::wstring& folder) {
  const std::wstring probe = IncludeTrailingBackslash(folder) + L"chk.tmp";
  // CREATE_NEW fails on an existing chk.tmp; delete-on-close removes ours when the
  // handle goes out of scope right away.
  unique_handle file(::CreateFileW(probe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

}  // namespace framora
