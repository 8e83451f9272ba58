#include "main/reset_defaults_win.h"

#include <shellapi.h>


namespace framora {

int ResetHost::Ask(const std::wstring& text, MsgDlgType type, MsgDlgButtons buttons,
                   const std::wstring& caption, const std::vector<std::wstring>& captions) {
  return MessageDlgCaptions(text, type, buttons, caption, captions, OwnerWindow());
}

void ResetHost::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The message loop must still see it.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void ResetHost::Restart(const std::wstring& executablePath) {
  ::ShellExecuteW(OwnerWindow(), nullptr, executablePath.c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void ResetToDefaults(SettingsFile& settings, ResetHost& host, const std::wstring& executablePath) {
  const int answer = host.Ask(L"Restart Application?", MsgDlgType::Confirmation,
                              {MsgDlgBtn::Yes, MsgDlgBtn::No}, L"Confirmation", {L"Yes", L"No"});
  if (answer != mrYes) return;
  // Stopped first: the messages processed below may run change handlers that flush.
  settings.StopFlushing();
  ::DeleteFileW(settings.FileName().c_str());
  host.ProcessMessages();
  host.Restart(executablePath);
  host.Terminate();
}

}  // namespace framora
