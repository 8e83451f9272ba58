// File-system helpers shared by every subsystem.
#pragma once

#include <string>

namespace framora {

// Full path of the running executable.
std::wstring ExecutablePath();

// Folder of the running executable, without a trailing delimiter (a drive root keeps it).
std::wstring ProgramFolder();

// Folder part of a path, without a trailing delimiter (a drive root keeps it).
std::wstring ExtractFolder(const std::wstring& path);

bool FileExists(const std::wstring& path);       // exists and is not a folder
bool DirectoryExists(const std::wstring& path);  // exists and is a folder

std::wstring IncludeTrailingBackslash(const std::wstring& path);

// The absolute form of a path, resolved against the current folder; raises on failure.
std::wstring FullPath(const std::wstring& path);

// Creates a folder with any missing parents; an existing folder counts as success. On
// failure the thread's last error tells why.
bool ForceDirectories(const std::wstring& path);

// True when a new temporary, delete-on-close file "chk.tmp" can be created in Folder; an
// existing chk.tmp, like any other failure, gives false. Nothing is reported.
bool IsDirectoryWritable(const std::wstring& folder);

}  // namespace framora
