// What the main window asks of the desktop beyond its own controls: message boxes, the file
// and folder dialogs, shell actions and the beep. The program uses DesktopServices; the
// window tests put a recording stand-in in its place, so nothing modal blocks them and no
// Explorer window opens.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "main/message_dialog_win.h"

namespace framora {

class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  // MessageBoxW; returns the pressed button.
  virtual int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                         UINT flags);
  // The program's own message dialog ("Reset to Defaults..." asks with it).
  virtual int MessageDlg(HWND owner, const std::wstring& text, MsgDlgType type,
                         MsgDlgButtons buttons, const std::wstring& caption,
                         const std::vector<std::wstring>& captions);
  // The file-open dialog with several files selectable; nullopt when cancelled. `filter` is
  // "|"-separated: "name|patterns|name|patterns".
  virtual std::optional<std::vector<std::wstring>> ChooseFiles(HWND owner,
                                                               const std::wstring& filter,
                                                               const std::wstring& defaultExtension);
  // The folder picker starting at `start` (the platform decides when empty); nullopt when
  // cancelled.
  virtual std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& title,
                                                   const std::wstring& okLabel,
                                                   const std::wstring& start);
  // ShellExecuteW; the result is not examined by the program.
  virtual void ShellExecuteAction(HWND owner, const std::wstring& verb, const std::wstring& file,
                            const std::wstring& parameters, int show);
  // The shell's property sheet of a file (ShellExecuteExW, "properties").
  virtual void ShowFileProperties(const std::wstring& path);
  // The default beep.
  virtual void Beep();
  // Asks the application to end: the message loop stops and the program exits.
  virtual void Terminate();
};

}  // namespace framora
