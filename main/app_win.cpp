// Program entry: the instance mutex, the main window and the message loop.
#include <windows.h>
#include <objbase.h>

#include "base/error.h"
#include "base/files_win.h"
#include "base/unique_handle_win.h"
#include "main/app_form_win.h"
#include "main/app_rules.h"
#include "main/desktop_services_win.h"

namespace {

// COM for the folder picker and the shell, for the life of the message loop.
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(::CoInitializeEx(
                       nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComApartment() {
    if (initialized_) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

int RunMessageLoop(framora::TAppForm& form) {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::TranslateAcceleratorW(form.Handle(), form.Accelerators(), &message)) continue;
    // Tab and the arrow keys move between the controls as in a dialog.
    if (::IsDialogMessageW(form.Handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  // Held until the process ends; nothing tests it, so a second instance starts normally.
  const framora::unique_handle mutex(::CreateMutexW(nullptr, FALSE, L"BRANTLOW_Framora"));
  const ComApartment com;
  framora::DesktopServices services;
  try {
    framora::TAppForm form(
        framora::AppContext{framora::ProgramFolder(), framora::ExecutablePath(), &services});
    form.Show(show);
    return RunMessageLoop(form);
  } catch (const framora::AppError& error) {
    services.ShowMessageBox(nullptr, framora::ErrorReportText(error.message()),
                            framora::kApplicationTitle, MB_OK | MB_ICONERROR);
  }
  return 1;
}
