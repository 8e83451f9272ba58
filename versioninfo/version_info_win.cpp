#include "versioninfo/version_info_win.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "base/win_error_win.h"

namespace framora {

namespace {

constexpr std::uint32_t kNoFixedVersion = 0xFFFFFFFF;

}  // namespace

TEXEVersionData GetEXEVersionData(const std::wstring& FileName) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(FileName.c_str(), &ignored);
  if (size == 0)
    RaiseLastOSError();

  // The vector releases the buffer on every way out, the raised errors included.
  std::vector<unsigned char> buffer(size);
  if (!::GetFileVersionInfoW(FileName.c_str(), 0, size, buffer.data()))
    RaiseLastOSError();

  // The trailing backslash is harmless: the empty last component is skipped.
  void* translation = nullptr;
  UINT translationBytes = 0;
  if (!::VerQueryValueW(buffer.data(), L"\\VarFileInfo\\Translation\\", &translation,
                        &translationBytes)) {
    RaiseLastOSError();
  }
  // An empty translation value is as good as none; never read past it.
  if (translation == nullptr || translationBytes < 2 * sizeof(WORD)) {
    RaiseOSError(ERROR_RESOURCE_TYPE_NOT_FOUND);
  }

  // The first translation only; no fallback to another language or code page.
  const auto* words = static_cast<const WORD*>(translation);
  const std::wstring key = TranslationKey(words[0], words[1]);

  const auto* bufferEnd = buffer.data() + buffer.size();
  TEXEVersionData data;
  for (const auto& entry : kVersionStringFields) {
    const std::wstring path = StringValuePath(key, entry.name);
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(buffer.data(), path.c_str(), &value, &length) || value == nullptr) {
      continue;  // a missing value is not an error
    }
    // The text up to its terminator, but never beyond the buffer it lives in.
    const auto* text = static_cast<const wchar_t*>(value);
    const auto room =
        static_cast<std::size_t>(bufferEnd - static_cast<const unsigned char*>(value)) /
        sizeof(wchar_t);
    data.*entry.field = std::wstring(text, ::wcsnlen(text, room));
  }
  return data;
}

std::uint32_t GetFixedFileVersion(const std::wstring& FileName) noexcept {
  std::uint32_t result = kNoFixedVersion;
  try {
    // The platform may write into the name while it parses it: give it a copy of its own.
    std::wstring name = FileName;
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(name.data(), &ignored);
    if (size == 0)
      return result;

    std::vector<unsigned char> buffer(size);
    if (::GetFileVersionInfoW(name.data(), 0, size, buffer.data())) {
      void* fixed = nullptr;
      UINT length = 0;
      if (::VerQueryValueW(buffer.data(), L"\\", &fixed, &length) && fixed != nullptr &&
          length >= sizeof(VS_FIXEDFILEINFO)) {
        result = static_cast<const VS_FIXEDFILEINFO*>(fixed)->dwFileVersionMS;
      }
    }
  } catch (...) {
    // Only allocation can fail here; the failure value says it all.
    return kNoFixedVersion;
  }
  return result;
}

void SetIdentityFromExecutable(const std::wstring& ExePath) {
  // Read first, assign after: a missing resource raises before any value changes.
  const TEXEVersionData data = GetEXEVersionData(ExePath);
  SetIdentity(data, GetFixedFileVersion(ExePath));
}

}  // namespace framora
