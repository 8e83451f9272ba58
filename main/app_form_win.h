// The main window: the video list, the conversion settings, "Convert", the toolbar, the menus
// and the status bar. Its handlers are short; the work is done by the subsystems it calls.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/unique_handle_win.h"
#include "extraction/extraction_window.h"
#include "extraction/text_log.h"
#include "main/desktop_services_win.h"
#include "main/pictures_win.h"
#include "main/reset_defaults_win.h"
#include "main/settings.h"
#include "main/video_list.h"

namespace framora {

// Where the program runs from; the program passes its own, a test a folder of its own.
struct AppContext {
  std::wstring ProgramFolder;   // holds ffmpeg.exe, ffprobe.exe and font.ttf
  std::wstring ExecutablePath;  // read for the version resource, started again by a reset
  DesktopServices* Services = nullptr;
};

// Control and command identifiers.
enum AppFormId : int {
  IDC_TOOLBAR = 100,
  IDC_LISTVIEW1,
  IDC_STATUSBAR1,
  IDC_RADIOBUTTON1,
  IDC_RADIOBUTTON2,
  IDC_SPINEDIT1,
  IDC_SPINBUTTONS1,
  IDC_LABEL6,
  IDC_LABEL1,
  IDC_LABEL3,
  IDC_COMBOBOX1,
  IDC_COMBOBOX2,
  IDC_LABEL2,
  IDC_BUTTON2,
  IDC_EDIT1,
  IDC_BUTTON1,

  CM_ADDFILE1 = 200,
  CM_EXIT1,
  CM_INPUTSEEKING1,
  CM_ROUNDIMAGEDURATION1,
  CM_PADOUTPUTFILES1,
  CM_RESETTODEFAULTS1,
  CM_HELP2,
  CM_UPDATENOTIFICATIONS1,
  CM_SENDFEEDBACK1,
  CM_ABOUT1,
  CM_DELETE1,
  CM_DELETEALL1,
  CM_OPENFOLDERLOCATION1,
  CM_PROPERTIES1,

  TB_TOOLBUTTON3 = 300,  // "Add Files"
  TB_TOOLBUTTON1,        // "Feedback"
  TB_TOOLBUTTON7,        // "About"
  TB_TOOLBUTTON2,        // "Help"
};

class TAppForm final : public ExtractionWindow, public VideoListWindow, public ResetHost {
 public:
  // Creates the window from its layout and runs FormCreate; an error there is shown by the
  // general error report and the window keeps its design-time state.
  explicit TAppForm(AppContext context);
  ~TAppForm() override;
  TAppForm(const TAppForm&) = delete;
  TAppForm& operator=(const TAppForm&) = delete;

  HWND Handle() const { return handle_; }
  HACCEL Accelerators() const { return accelerators_.get(); }
  // Shows the window (FormShow) with the show command the program was started with.
  void Show(int showCommand);

  // Controls, for the message loop and the window tests.
  HWND Control(AppFormId id) const;
  HMENU MainMenu() const { return mainMenu_; }
  HMENU PopupMenu1() const { return popupMenu_.get(); }
  const TextLog& Memo1() const { return memo1_; }

  // Start-up and layout.
  void FormCreate();
  void FormShow();
  int ScaleDimension(int X) const;
  void ImageFormatDegisti();
  void HighDPIImageYukle();

  // The video list.
  void Ekle(const std::wstring& isim);
  void WMDropFiles(HDROP drop);
  void ToolButton3Click();
  void AddFile1Click();
  void Delete1Click();
  void DeleteAll1Click();
  void OpenFolderLocation1Click();
  void Properties1Click();
  void ShowFileProperties(const std::wstring& path);

  // The settings panel.
  void RadioButton1Click();
  void RadioButton2Click();
  void SpinEdit1Change();
  void SpinEdit1Exit();
  void ComboBox1Change();
  void ComboBox2Change();
  void Edit1Change();
  void Button2Click();
  void AddMyFolder(const std::wstring& foldername);
  void Button1Click();

  // Menus and toolbar.
  void InputSeeking1Click();
  void RoundImageDuration1Click();
  void PadOutputFileswithLeadingZeros1Click();
  void ResettoDefaults1Click();
  void Help2Click();
  void Exit1Click();
  void SendFeedback1Click();
  void About1Click();
  void ToolButton1Click();
  void ToolButton7Click();
  void ToolButton2Click();

  // The value of the image duration box as a user's edit would leave it (clamped).
  void SetSpinEdit1Value(std::int64_t value);
  std::int32_t SpinEdit1Value() const;
  bool MenuChecked(int command) const;
  const std::wstring& LastChosenFolder() const { return lastChosenFolder_; }

  // ExtractionWindow
  std::vector<VideoRow> VideoRows() const override;
  ExtractionSettings CurrentSettings() const override;
  std::wstring DestinationText() const override;
  void SetImageDuration(std::int32_t Duration) override;
  void ShowMessage(const std::wstring& Text, const std::wstring& Caption,
                   MessageIcon Icon) override;
  void SetAppStartingCursor(bool on) override;
  void SetConvertEnabled(bool enabled) override;
  void SetStatusText(const std::wstring& Text) override;
  void ProcessMessages() override;
  void VideoSayisiDegisti() override;
  TextLog& Log() override { return memo1_; }

  // VideoListWindow
  std::vector<std::wstring> ListedVideos() const override;
  void AppendVideoRow(const std::wstring& path, const std::wstring& seconds) override;
  std::wstring VideoKacSaniye(const std::wstring& dosyaadi) override;

  // ResetHost
  HWND OwnerWindow() const override { return handle_; }
  int Ask(const std::wstring& text, MsgDlgType type, MsgDlgButtons buttons,
          const std::wstring& caption, const std::vector<std::wstring>& captions) override;
  void Restart(const std::wstring& executablePath) override;
  void Terminate() override;

 private:
  friend void RegisterAppFormClass(HINSTANCE instance);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SpinEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header);
  void ReportError(const std::wstring& message);

  void CreateControls();
  void CreateMenus();
  void CreateFonts();
  void Layout();
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void SetControlText(AppFormId id, const std::wstring& text);
  std::wstring ControlText(AppFormId id) const;
  std::vector<int> SelectedRows() const;
  void StoreSwitch(int command, const SettingDefinition& definition);

  AppContext context_;
  HWND handle_ = nullptr;
  UINT dpi_ = 96;
  HMENU mainMenu_ = nullptr;  // owned by the window, destroyed with it
  unique_hmenu popupMenu_;
  unique_haccel accelerators_;
  unique_hfont font_;
  unique_hfont boldFont_;
  unique_himagelist toolbarImages_;
  unique_himagelist listImages_;
  unique_hicon folderIcon_;
  std::vector<unique_hbitmap> menuBitmaps_;
  int formatBoxWidth_ = 115;  // at 96 dpi; ImageFormatDegisti switches it
  std::wstring lastChosenFolder_;
  TextLog memo1_;  // the log; never shown
};

// The one main window of the program, set while it exists.
extern TAppForm* AppForm;

// Registers the window classes and common controls the window needs; once per process.
void RegisterAppFormClass(HINSTANCE instance);

// Lets files dropped from programs of lower integrity (Explorer, when Framora runs
// elevated) reach the window, where the system has ChangeWindowMessageFilter.
void AllowDropFiles(HWND Handle, bool Allow);

}  // namespace framora
