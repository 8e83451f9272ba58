// "Reset to Defaults...": after a confirmation, deletes settings.ini, starts a new
// instance of the program and ends this one, which then writes nothing more.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/files_win.h"
#include "main/message_dialog_win.h"
#include "main/settings_store_win.h"

namespace framora {

// What the reset needs from the main window, which implements it; a test implements it
// too and sees the question, the restart request and the end instead of real ones.
class ResetHost {
 public:
  virtual ~ResetHost() = default;

  // Owner of the question and of the restarted program's window.
  virtual HWND OwnerWindow() const = 0;

  // Shows the question; by default MessageDlgCaptions over OwnerWindow().
  virtual int Ask(const std::wstring& text, MsgDlgType type, MsgDlgButtons buttons,
                  const std::wstring& caption, const std::vector<std::wstring>& captions);

  // Handles the messages waiting in this thread's queue once (a WM_QUIT is put back).
  virtual void ProcessMessages();

  // Starts the program: ShellExecuteW with the default verb, no parameters, no working
  // folder, a normal window, OwnerWindow() as owner. The result is not checked.
  virtual void Restart(const std::wstring& executablePath);

  // Asks the application to end.
  virtual void Terminate() = 0;
};

// The command. On Yes (mrYes) it stops `settings` from flushing, deletes its file (a
// failed deletion is ignored), processes the pending messages, restarts the running
// executable and terminates; anything else changes nothing. The image in memory is left
// alone; since it can no longer be flushed, the values still shown are not saved.
// `executablePath` is the program to start again: the running executable unless told.
void ResetToDefaults(SettingsFile& settings, ResetHost& host,
                     const std::wstring& executablePath = ExecutablePath());

}  // namespace framora
