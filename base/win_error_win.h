// Turning Windows error codes into the program's messages, in one place.
#pragma once

#include <windows.h>

#include <string>

namespace framora {

// The system's message text for an error code, as FormatMessage gives it (may end in a
// line break); empty when the system has no text for the code.
std::wstring SystemErrorMessage(DWORD code);

// The "last OS error" exception: "System Error.  Code: <code>.\r\n<message>", or
// "A call to an OS function failed" when no error code is set.
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(DWORD code);

}  // namespace framora
