// Rules of the main window that need no window: the general error report's text and the
// online help address.
#pragma once

#include <string>

namespace framora {

// The application title: caption of the general error report and of message boxes that
// have no caption of their own.
inline constexpr wchar_t kApplicationTitle[] = L"Framora";

// The error's message with a full stop added when it does not end in one.
inline std::wstring ErrorReportText(std::wstring message) {
  if (message.empty() || message.back() != L'.') message += L'.';
  return message;
}

// The online help: http://<maker's site>/help/<product name in lower case, blanks as
// hyphens>/.
std::wstring OnlineHelpAddress(const std::wstring& productName);

}  // namespace framora
