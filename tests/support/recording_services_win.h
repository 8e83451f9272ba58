// A stand-in for the desktop that the main window talks to: it records every message box,
// dialog, shell action and beep, and answers the modal ones with what the test set up, so
// the window can be driven from the test's own thread without anything blocking.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "main/desktop_services_win.h"
#include "main/message_dialog_win.h"

namespace framora::test {

class RecordingServices : public DesktopServices {
 public:
  struct Message {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT flags = 0;
  };
  struct Question {
    std::wstring text;
    MsgDlgType type = MsgDlgType::Custom;
    MsgDlgButtons buttons;
    std::wstring caption;
    std::vector<std::wstring> captions;
  };
  struct FileChoice {
    std::wstring filter;
    std::wstring defaultExtension;
  };
  struct FolderChoice {
    std::wstring title;
    std::wstring okLabel;
    std::wstring start;
  };
  struct ShellAction {
    HWND owner = nullptr;
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
    int show = -1;
  };

  // What happened, in order.
  std::vector<Message> messageBoxes;
  std::vector<Question> questions;
  std::vector<FileChoice> fileChoices;
  std::vector<FolderChoice> folderChoices;
  std::vector<ShellAction> shellActions;
  std::vector<std::wstring> propertySheets;
  int beeps = 0;
  int terminations = 0;

  // The answers; nullopt is a cancelled dialog.
  int questionAnswer = mrNo;
  std::optional<std::vector<std::wstring>> chosenFiles;
  std::optional<std::wstring> chosenFolder;

  int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                     UINT flags) override {
    messageBoxes.push_back({owner, text, caption, flags});
    return IDOK;
  }
  int MessageDlg(HWND, const std::wstring& text, MsgDlgType type, MsgDlgButtons buttons,
                 const std::wstring& caption, const std::vector<std::wstring>& captions) override {
    questions.push_back({text, type, buttons, caption, captions});
    return questionAnswer;
  }
  std::optional<std::vector<std::wstring>> ChooseFiles(
      HWND, const std::wstring& filter, const std::wstring& defaultExtension) override {
    fileChoices.push_back({filter, defaultExtension});
    return chosenFiles;
  }
  std::optional<std::wstring> ChooseFolder(HWND, const std::wstring& title,
                                           const std::wstring& okLabel,
                                           const std::wstring& start) override {
    folderChoices.push_back({title, okLabel, start});
    return chosenFolder;
  }
  void ShellExecuteAction(HWND owner, const std::wstring& verb, const std::wstring& file,
                          const std::wstring& parameters, int show) override {
    shellActions.push_back({owner, verb, file, parameters, show});
  }
  void ShowFileProperties(const std::wstring& path) override { propertySheets.push_back(path); }
  void Beep() override { ++beeps; }
  void Terminate() override { ++terminations; }
};

}  // namespace framora::test
