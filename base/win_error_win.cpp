#include "base/win_error_win.h"

#include "base/error.h"

namespace framora {

std::wstring SystemErrorMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
          FORMAT_MESSAGE_ARGUMENT_ARRAY,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length != 0 && buffer != nullptr) text.assign(buffer, length);
  // FormatMessage allocated the buffer with LocalAlloc; it is ours to free.
  if (buffer != nullptr) ::LocalFree(buffer);
  return text;
}

void RaiseOSError(DWORD code) {
  if (code == 0) throw AppError(L"A call to an OS function failed");
  throw AppError(L"System Error.  Code: " + std::to_wstring(code) + L".\r\n" +
                 SystemErrorMessage(code));
}

void RaiseLastOSError() { RaiseOSError(::GetLastError()); }

}  // namespace framora
