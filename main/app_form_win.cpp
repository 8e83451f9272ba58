#include "main/app_form_win.h"

#include <commctrl.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>

#include "base/error.h"
#include "base/files_win.h"
#include "base/locale_win.h"
#include "base/text.h"
#include "extraction/conversion_win.h"
#include "extraction/duration_probe_win.h"
#include "main/app_rules.h"
#include "main/dpi_win.h"
#include "main/rate_label.h"
#include "main/settings.h"
#include "main/settings_store_win.h"
#include "resources/resource_ids.h"
#include "versioninfo/identity.h"
#include "versioninfo/version_info_win.h"

namespace framora {

TAppForm* AppForm = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TAppForm";

// The layout at 96 dpi.
constexpr int kClientWidth = 517;
constexpr int kClientHeight = 480;
constexpr int kToolbarHeight = 84;
constexpr int kToolButtonWidth = 71;
constexpr int kToolPicture = 64;
constexpr int kPanelWidth = 225;
constexpr int kListColumnFile = 170;
constexpr int kListColumnSeconds = 100;
constexpr int kListPicture = 16;
constexpr int kFolderPicture = 16;

struct ControlLayout {
  AppFormId id;
  int left, top, width, height;  // in the settings panel, at 96 dpi
  bool fitText = false;          // a label as wide as its caption, at most `width`
};
// Creation order is tab order.
constexpr ControlLayout kPanelLayout[] = {
    {IDC_RADIOBUTTON1, 6, 0, 113, 17}, {IDC_RADIOBUTTON2, 6, 23, 195, 17},
    {IDC_SPINEDIT1, 6, 43, 143, 22},   {IDC_LABEL6, 155, 46, 62, 13},
    {IDC_LABEL1, 6, 83, 117, 13, true}, {IDC_LABEL3, 127, 83, 90, 13, true},
    {IDC_COMBOBOX1, 6, 102, 115, 21},  {IDC_COMBOBOX2, 127, 102, 90, 21},
    {IDC_LABEL2, 6, 133, 211, 13, true}, {IDC_BUTTON2, 6, 150, 24, 24},
    {IDC_EDIT1, 32, 152, 185, 21},     {IDC_BUTTON1, 6, 190, 211, 37},
};

constexpr const wchar_t* kFormats[] = {L"JPG", L"PNG", L"BMP"};

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

UINT IconFlags(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Error:
      return MB_ICONERROR;
    case MessageIcon::Information:
      break;
  }
  return MB_ICONINFORMATION;
}

// Owns the data of one drop and releases it on every path.
using unique_hdrop = UniqueHandle<NullableHandleTraits<HDROP, &::DragFinish>>;

// The application-wide busy cursor: shown on every window of the program while set.
bool appStartingCursor = false;

}  // namespace

void RegisterAppFormClass(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES |
                                                     ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExW(instance, kClassName, &wc)) return;
  wc.lpfnWndProc = TAppForm::WindowProc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                             0, 0, LR_DEFAULTSIZE | LR_SHARED));
  wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  ::RegisterClassExW(&wc);
}

void AllowDropFiles(HWND Handle, bool Allow) {
  using ChangeWindowMessageFilterFn = BOOL(WINAPI*)(UINT, DWORD);
  const auto change = reinterpret_cast<ChangeWindowMessageFilterFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilter")));
  if (change == nullptr) return;
  ::DragAcceptFiles(Handle, Allow ? TRUE : FALSE);
  constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA, which carries the drop
  change(WM_DROPFILES, MSGFLT_ADD);
  change(kCopyGlobalData, MSGFLT_ADD);
}

// ---------------------------------------------------------------------------------------
// Creation

TAppForm::TAppForm(AppContext context) : context_(std::move(context)) {
  RegisterAppFormClass(Instance());
  AppForm = this;
  // CreateParams: WS_EX_ACCEPTFILES is part of the window's style, so a re-created window
  // accepts dropped files as well.
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_ACCEPTFILES | WS_EX_CONTROLPARENT;
  handle_ = ::CreateWindowExW(exStyle, kClassName, kApplicationTitle, style, CW_USEDEFAULT,
                              CW_USEDEFAULT, kClientWidth, kClientHeight, nullptr, nullptr,
                              Instance(), this);
  if (handle_ == nullptr) throw AppError(L"The main window could not be created.");
  dpi_ = WindowDpi(handle_);

  CreateFonts();
  CreateMenus();
  CreateControls();
  HighDPIImageYukle();

  // Centred on the screen, at the client size of the layout.
  const SIZE size = WindowSizeForClient(ScaleDimension(kClientWidth), ScaleDimension(kClientHeight),
                                        style, exStyle, true, dpi_);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ::SetWindowPos(handle_, nullptr, work.left + (work.right - work.left - size.cx) / 2,
                 work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  // The resize above has laid the controls out (WM_SIZE).

  try {
    FormCreate();
  } catch (const std::exception& error) {
    ReportError(ExceptionMessage(error));
  }
}

TAppForm::~TAppForm() {
  if (handle_ != nullptr) ::DestroyWindow(handle_);
  if (AppForm == this) AppForm = nullptr;
}

void TAppForm::CreateFonts() {
  // Tahoma 8 points (11 pixels high at 96 dpi); "Convert" in bold Tahoma 16 pixels high.
  LOGFONTW font{};
  font.lfHeight = -ScaleDimension(11);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcscpy_s(font.lfFaceName, L"Tahoma");
  font_.reset(::CreateFontIndirectW(&font));
  font.lfHeight = -ScaleDimension(16);
  font.lfWeight = FW_BOLD;
  boldFont_.reset(::CreateFontIndirectW(&font));
}

void TAppForm::CreateMenus() {
  auto item = [](HMENU menu, int id, const wchar_t* text, UINT state = MFS_ENABLED) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
    info.fType = MFT_STRING;
    info.fState = state;
    info.wID = static_cast<UINT>(id);
    info.dwTypeData = const_cast<wchar_t*>(text);
    ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &info);
  };
  auto separator = [](HMENU menu) { ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); };

  mainMenu_ = ::CreateMenu();
  HMENU file = ::CreatePopupMenu();
  item(file, CM_ADDFILE1, L"Add Files...");
  separator(file);
  item(file, CM_EXIT1, L"Exit");
  HMENU settings = ::CreatePopupMenu();
  item(settings, CM_INPUTSEEKING1, L"Input Seeking", MFS_CHECKED);
  item(settings, CM_ROUNDIMAGEDURATION1, L"Round Image Duration", MFS_CHECKED);
  item(settings, CM_PADOUTPUTFILES1, L"Pad Output Files with Leading Zeros");
  separator(settings);
  item(settings, CM_RESETTODEFAULTS1, L"Reset to Defaults...");
  HMENU help = ::CreatePopupMenu();
  item(help, CM_HELP2, L"Online Help\tF1");
  separator(help);
  item(help, CM_UPDATENOTIFICATIONS1, L"Update Notifications", MFS_CHECKED | MFS_DISABLED);
  separator(help);  // UpdateNotificationsBar
  item(help, CM_SENDFEEDBACK1, L"Send Feedback...");
  item(help, CM_ABOUT1, L"About...");
  ::AppendMenuW(mainMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  ::AppendMenuW(mainMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), L"&Settings");
  ::AppendMenuW(mainMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  ::SetMenu(handle_, mainMenu_);

  popupMenu_.reset(::CreatePopupMenu());
  HMENU popup = ::CreatePopupMenu();
  item(popup, CM_DELETE1, L"Delete Selected");
  item(popup, CM_DELETEALL1, L"Delete All");
  separator(popup);
  item(popup, CM_OPENFOLDERLOCATION1, L"Open Folder Location...");
  item(popup, CM_PROPERTIES1, L"Properties");
  ::AppendMenuW(popupMenu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"");

  ACCEL f1{FVIRTKEY, VK_F1, CM_HELP2};
  accelerators_.reset(::CreateAcceleratorTableW(&f1, 1));
}

void TAppForm::CreateControls() {
  HINSTANCE instance = Instance();
  auto create = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                    DWORD exStyle = 0) {
    HWND control = ::CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                                     0, handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     instance, nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
  };

  HWND toolbar = create(TOOLBARCLASSNAMEW, L"",
                        TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                            CCS_NOPARENTALIGN,
                        IDC_TOOLBAR);
  ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  const INT_PTR addFiles = ::SendMessageW(toolbar, TB_ADDSTRINGW, 0,
                                          reinterpret_cast<LPARAM>(L"Add Files\0Feedback\0About\0Help\0"));
  TBBUTTON buttons[] = {
      {0, TB_TOOLBUTTON3, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, addFiles},
      {8, 0, 0, BTNS_SEP, {}, 0, 0},  // ToolButton5, 8 wide
      {1, TB_TOOLBUTTON1, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, addFiles + 1},
      {2, TB_TOOLBUTTON7, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, addFiles + 2},
      {3, TB_TOOLBUTTON2, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, addFiles + 3},
  };
  ::SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));

  HWND list = create(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
                     IDC_LISTVIEW1, WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT |
                                              LVS_EX_DOUBLEBUFFER);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(L"Video File");
  column.cx = ScaleDimension(kListColumnFile);
  ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  column.pszText = const_cast<wchar_t*>(L"Seconds");
  column.cx = ScaleDimension(kListColumnSeconds);
  column.iSubItem = 1;
  ::SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));

  create(WC_BUTTONW, L"All Frames", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
         IDC_RADIOBUTTON1);
  HWND radio2 = create(WC_BUTTONW, L"Image Duration (milliseconds):", BS_AUTORADIOBUTTON,
                       IDC_RADIOBUTTON2);
  ::SendMessageW(radio2, BM_SETCHECK, BST_CHECKED, 0);
  HWND spin = create(WC_EDITW, L"1000", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, IDC_SPINEDIT1,
                     WS_EX_CLIENTEDGE);
  ::SetWindowSubclass(spin, SpinEditProc, 1, reinterpret_cast<DWORD_PTR>(this));
  HWND buttons1 = create(UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_NOTHOUSANDS, IDC_SPINBUTTONS1);
  ::SendMessageW(buttons1, UDM_SETBUDDY, reinterpret_cast<WPARAM>(spin), 0);
  ::SendMessageW(buttons1, UDM_SETRANGE32, MinImageDuration, MaxImageDuration);
  create(WC_STATICW, L"25 FPS", SS_RIGHT, IDC_LABEL6);
  create(WC_STATICW, L"Image Output Format:", SS_ENDELLIPSIS, IDC_LABEL1);
  create(WC_STATICW, L"Quality:", SS_ENDELLIPSIS, IDC_LABEL3);
  HWND format = create(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                       IDC_COMBOBOX1);
  for (const wchar_t* name : kFormats) {
    ::SendMessageW(format, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  ::SendMessageW(format, CB_SETCURSEL, 0, 0);
  HWND quality = create(WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                        IDC_COMBOBOX2);
  for (int percent = 100; percent >= 5; percent -= 5) {
    const std::wstring text = std::to_wstring(percent) + L"%";
    ::SendMessageW(quality, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  ::SendMessageW(quality, CB_SETCURSEL, 2, 0);  // "90%"
  create(WC_STATICW, L"Destination Directory:", SS_ENDELLIPSIS, IDC_LABEL2);
  create(WC_BUTTONW, L"", WS_TABSTOP | BS_ICON | BS_PUSHBUTTON, IDC_BUTTON2);
  create(WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, IDC_EDIT1, WS_EX_CLIENTEDGE);
  HWND convert = create(WC_BUTTONW, L"Convert", WS_TABSTOP | BS_PUSHBUTTON, IDC_BUTTON1);
  ::SendMessageW(convert, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);

  HWND status = create(STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, IDC_STATUSBAR1);
  int parts[] = {-1};  // one panel, as wide as the bar
  ::SendMessageW(status, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
}

void TAppForm::HighDPIImageYukle() {
  HINSTANCE instance = Instance();
  HWND toolbar = Control(IDC_TOOLBAR);
  toolbarImages_ = LoadImageList(instance, {IDI_ADD_FILES, IDI_FEEDBACK, IDI_ABOUT, IDI_HELP},
                                 ScaleDimension(kToolPicture));
  ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbarImages_.get()));
  ::SendMessageW(toolbar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(ScaleDimension(kToolButtonWidth), ScaleDimension(kToolbarHeight)));
  ::SendMessageW(toolbar, TB_SETBUTTONWIDTH, 0,
                 MAKELPARAM(ScaleDimension(kToolButtonWidth), ScaleDimension(kToolButtonWidth)));

  listImages_ = LoadImageList(instance, {IDI_FILE_VIDEO}, ScaleDimension(kListPicture));
  ::SendMessageW(Control(IDC_LISTVIEW1), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(listImages_.get()));

  folderIcon_ = LoadIconAtSize(instance, IDI_FOLDER, ScaleDimension(kFolderPicture));
  ::SendMessageW(Control(IDC_BUTTON2), BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(folderIcon_.get()));

  // Pictures beside the menu captions; the menus keep pointing at the new bitmaps.
  struct MenuPicture {
    int command;
    int icon;
  };
  constexpr MenuPicture kMenuPictures[] = {
      {CM_ADDFILE1, IDI_ADD_FILES}, {CM_EXIT1, IDI_EXIT},          {CM_RESETTODEFAULTS1, IDI_RESET},
      {CM_HELP2, IDI_HELP},         {CM_SENDFEEDBACK1, IDI_FEEDBACK}, {CM_ABOUT1, IDI_ABOUT}};
  std::vector<unique_hbitmap> bitmaps;
  const int size = SmallIconSize(dpi_);
  for (const MenuPicture& picture : kMenuPictures) {
    bitmaps.push_back(MenuBitmap(instance, picture.icon, size));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = bitmaps.back().get();
    ::SetMenuItemInfoW(mainMenu_, static_cast<UINT>(picture.command), FALSE, &info);
  }
  menuBitmaps_ = std::move(bitmaps);
}

// ---------------------------------------------------------------------------------------
// Start-up

void TAppForm::FormCreate() {
  ::DragAcceptFiles(handle_, TRUE);
  AllowDropFiles(handle_, true);

  SetIdentityFromExecutable(context_.ExecutablePath);
  ::SetWindowTextW(handle_, ProductTitle.c_str());

  DataFolder = ChooseDataFolder(context_.ProgramFolder, AppCompanyName, AppProductName);
  SettingsIni = OpenSettingsFile(DataFolder + L"settings.ini");
  const StartupSettings stored =
      ReadStartupSettings(SettingsIni->Image(), GetSpecialFolderPath(CSIDL_DESKTOP));
  ::CheckMenuItem(mainMenu_, CM_INPUTSEEKING1, stored.InputSeeking ? MF_CHECKED : MF_UNCHECKED);
  ::CheckMenuItem(mainMenu_, CM_ROUNDIMAGEDURATION1,
                  stored.RoundImageDuration ? MF_CHECKED : MF_UNCHECKED);
  ::CheckMenuItem(mainMenu_, CM_PADOUTPUTFILES1,
                  stored.PadOutputFileswithLeadingZeros ? MF_CHECKED : MF_UNCHECKED);
  SetSpinEdit1Value(stored.Duration);
  SetControlText(IDC_EDIT1, stored.Destination);
  ::SendMessageW(Control(IDC_COMBOBOX1), CB_SETCURSEL, static_cast<WPARAM>(stored.Format), 0);
  ::SendMessageW(Control(IDC_COMBOBOX2), CB_SETCURSEL,
                 static_cast<WPARAM>(JpegQualityEntry(stored.JpegQuality)), 0);

  ImageFormatDegisti();
  SpinEdit1Change();
}

void TAppForm::Show(int showCommand) {
  ::ShowWindow(handle_, showCommand);
  FormShow();
  ::UpdateWindow(handle_);
}

void TAppForm::FormShow() {
  Layout();
  ::SetFocus(Control(IDC_LISTVIEW1));
}

int TAppForm::ScaleDimension(int X) const { return ScaleForDpi(X, dpi_); }

void TAppForm::Layout() {
  RECT client{};
  ::GetClientRect(handle_, &client);
  const int width = static_cast<int>(client.right);
  HWND status = Control(IDC_STATUSBAR1);
  ::SendMessageW(status, WM_SIZE, 0, 0);  // the bar places itself at the bottom
  RECT statusRect{};
  ::GetWindowRect(status, &statusRect);
  const int statusHeight = statusRect.bottom - statusRect.top;
  const int toolbarHeight = ScaleDimension(kToolbarHeight);
  const int panelWidth = ScaleDimension(kPanelWidth);
  const int areaHeight = std::max(0, static_cast<int>(client.bottom) - toolbarHeight - statusHeight);

  HDWP positions = ::BeginDeferWindowPos(20);
  auto place = [&](HWND control, int x, int y, int w, int h) {
    positions = ::DeferWindowPos(positions, control, nullptr, x, y, w, h,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(Control(IDC_TOOLBAR), 0, 0, width, toolbarHeight);
  place(Control(IDC_LISTVIEW1), 0, toolbarHeight, std::max(0, width - panelWidth), areaHeight);
  const int panelLeft = width - panelWidth;
  HDC dc = ::GetDC(handle_);
  HGDIOBJ oldFont = ::SelectObject(dc, font_.get());
  for (const ControlLayout& c : kPanelLayout) {
    int w = ScaleDimension(c.id == IDC_COMBOBOX1 ? formatBoxWidth_ : c.width);
    if (c.fitText) {  // never into the next control, should a font run wide
      const std::wstring text = ControlText(c.id);
      SIZE extent{};
      ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      w = std::min(w, static_cast<int>(extent.cx));
    }
    // Drop-down lists get room for their entries below the edit field.
    const int h = c.id == IDC_COMBOBOX1 || c.id == IDC_COMBOBOX2 ? c.height + 200 : c.height;
    place(Control(c.id), panelLeft + ScaleDimension(c.left), toolbarHeight + ScaleDimension(c.top),
          w, ScaleDimension(h));
  }
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(handle_, dc);
  ::EndDeferWindowPos(positions);
  // The spin buttons sit inside the right edge of the duration box.
  ::SendMessageW(Control(IDC_SPINBUTTONS1), UDM_SETBUDDY,
                 reinterpret_cast<WPARAM>(Control(IDC_SPINEDIT1)), 0);
  // The format box keeps the width ImageFormatDegisti gave it.
}

void TAppForm::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  CreateFonts();
  for (const ControlLayout& c : kPanelLayout) {
    ::SendMessageW(Control(c.id), WM_SETFONT,
                   reinterpret_cast<WPARAM>(c.id == IDC_BUTTON1 ? boldFont_.get() : font_.get()),
                   TRUE);
  }
  for (AppFormId id : {IDC_TOOLBAR, IDC_LISTVIEW1, IDC_STATUSBAR1}) {
    ::SendMessageW(Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  }
  HWND list = Control(IDC_LISTVIEW1);
  ListView_SetColumnWidth(list, 0, ScaleDimension(kListColumnFile));
  ListView_SetColumnWidth(list, 1, ScaleDimension(kListColumnSeconds));
  HighDPIImageYukle();
  ::SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void TAppForm::ImageFormatDegisti() {
  const bool jpg = ::SendMessageW(Control(IDC_COMBOBOX1), CB_GETCURSEL, 0, 0) == 0;
  ::ShowWindow(Control(IDC_LABEL3), jpg ? SW_SHOW : SW_HIDE);
  ::ShowWindow(Control(IDC_COMBOBOX2), jpg ? SW_SHOW : SW_HIDE);
  formatBoxWidth_ = jpg ? 115 : 211;
  RECT box{};
  HWND format = Control(IDC_COMBOBOX1);
  ::GetWindowRect(format, &box);
  ::SetWindowPos(format, nullptr, 0, 0, ScaleDimension(formatBoxWidth_), box.bottom - box.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------------------
// Messages

LRESULT CALLBACK TAppForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TAppForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->handle_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TAppForm*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (form == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  // Errors never cross the window procedure: the general error report shows them here.
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    form->ReportError(ExceptionMessage(error));
  }
  return 0;
}

void TAppForm::ReportError(const std::wstring& message) {
  context_.Services->ShowMessageBox(handle_, ErrorReportText(message), kApplicationTitle,
                                    MB_OK | MB_ICONERROR);
}

LRESULT TAppForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DROPFILES:
      WMDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == Control(IDC_LISTVIEW1)) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {  // from the keyboard
          RECT list{};
          ::GetWindowRect(Control(IDC_LISTVIEW1), &list);
          at = {list.left + 8, list.top + 8};
        }
        ::TrackPopupMenu(::GetSubMenu(popupMenu_.get(), 0), TPM_RIGHTBUTTON, at.x, at.y, 0,
                         handle_, nullptr);
        return 0;
      }
      break;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_SETCURSOR:
      if (appStartingCursor) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_APPSTARTING));
        return TRUE;
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      Exit1Click();
      return 0;
    case WM_DESTROY:
      handle_ = nullptr;
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(handle_, message, wParam, lParam);
}

void TAppForm::OnCommand(int id, int code) {
  switch (id) {
    case IDC_RADIOBUTTON1:
      if (code == BN_CLICKED) RadioButton1Click();
      break;
    case IDC_RADIOBUTTON2:
      if (code == BN_CLICKED) RadioButton2Click();
      break;
    case IDC_SPINEDIT1:
      if (code == EN_CHANGE) SpinEdit1Change();
      if (code == EN_KILLFOCUS) SpinEdit1Exit();
      break;
    case IDC_COMBOBOX1:
      if (code == CBN_SELCHANGE) ComboBox1Change();
      break;
    case IDC_COMBOBOX2:
      if (code == CBN_SELCHANGE) ComboBox2Change();
      break;
    case IDC_EDIT1:
      if (code == EN_CHANGE) Edit1Change();
      break;
    case IDC_BUTTON2:
      if (code == BN_CLICKED) Button2Click();
      break;
    case IDC_BUTTON1:
      if (code == BN_CLICKED) Button1Click();
      break;
    case CM_ADDFILE1: AddFile1Click(); break;
    case CM_EXIT1: Exit1Click(); break;
    case CM_INPUTSEEKING1: InputSeeking1Click(); break;
    case CM_ROUNDIMAGEDURATION1: RoundImageDuration1Click(); break;
    case CM_PADOUTPUTFILES1: PadOutputFileswithLeadingZeros1Click(); break;
    case CM_RESETTODEFAULTS1: ResettoDefaults1Click(); break;
    case CM_HELP2: Help2Click(); break;
    case CM_SENDFEEDBACK1: SendFeedback1Click(); break;
    case CM_ABOUT1: About1Click(); break;
    case CM_DELETE1: Delete1Click(); break;
    case CM_DELETEALL1: DeleteAll1Click(); break;
    case CM_OPENFOLDERLOCATION1: OpenFolderLocation1Click(); break;
    case CM_PROPERTIES1: Properties1Click(); break;
    case TB_TOOLBUTTON3: ToolButton3Click(); break;
    case TB_TOOLBUTTON1: ToolButton1Click(); break;
    case TB_TOOLBUTTON7: ToolButton7Click(); break;
    case TB_TOOLBUTTON2: ToolButton2Click(); break;
    default:
      break;
  }
}

LRESULT TAppForm::OnNotify(const NMHDR& header) {
  if (header.idFrom == IDC_SPINBUTTONS1 && header.code == UDN_DELTAPOS) {
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    SetSpinEdit1Value(std::int64_t{SpinEdit1Value()} + change.iDelta);
    return TRUE;  // the box holds the value, not the buttons
  }
  if (header.code == TTN_GETDISPINFOW) {
    auto& tip = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    switch (header.idFrom) {
      case TB_TOOLBUTTON3:
        tip.lpszText = const_cast<wchar_t*>(L"Add Files to the list");
        break;
      case TB_TOOLBUTTON7:
        tip.lpszText = const_cast<wchar_t*>(L"Show Aboutbox");
        break;
      default:
        tip.szText[0] = L'\0';  // the other buttons have no tool tip
        break;
    }
    return 0;
  }
  return 0;
}

// The duration box takes digits, signs, the decimal separator and control keys; the arrow
// keys step the value like the spin buttons.
LRESULT CALLBACK TAppForm::SpinEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR data) {
  auto* form = reinterpret_cast<TAppForm*>(data);
  try {
    if (message == WM_CHAR) {
      const auto c = static_cast<wchar_t>(wParam);
      const bool allowed = (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c < L' ' ||
                           c == UserDecimalSeparator();
      if (!allowed) {
        form->context_.Services->Beep();
        return 0;
      }
    } else if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
      form->SetSpinEdit1Value(std::int64_t{form->SpinEdit1Value()} + (wParam == VK_UP ? 1 : -1));
      return 0;
    }
  } catch (const std::exception& error) {
    form->ReportError(ExceptionMessage(error));
    return 0;
  }
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// Controls

HWND TAppForm::Control(AppFormId id) const { return ::GetDlgItem(handle_, id); }

void TAppForm::SetControlText(AppFormId id, const std::wstring& text) {
  // Like the designer's controls, setting the same text again is no change.
  if (ControlText(id) != text) ::SetWindowTextW(Control(id), text.c_str());
}

std::wstring TAppForm::ControlText(AppFormId id) const {
  HWND control = Control(id);
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(),
                                                        static_cast<int>(text.size()))));
  return text;
}

bool TAppForm::MenuChecked(int command) const {
  return (::GetMenuState(mainMenu_, static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::int32_t TAppForm::SpinEdit1Value() const { return SpinEditValue(ControlText(IDC_SPINEDIT1)); }

void TAppForm::SetSpinEdit1Value(std::int64_t value) {
  SetControlText(IDC_SPINEDIT1, std::to_wstring(ClampImageDuration(value)));
}

std::vector<int> TAppForm::SelectedRows() const {
  std::vector<int> rows;
  HWND list = Control(IDC_LISTVIEW1);
  for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i != -1;
       i = ListView_GetNextItem(list, i, LVNI_SELECTED)) {
    rows.push_back(i);
  }
  return rows;
}

// ---------------------------------------------------------------------------------------
// The video list

void TAppForm::Ekle(const std::wstring& isim) { AddVideo(*this, isim); }

std::vector<std::wstring> TAppForm::ListedVideos() const {
  std::vector<std::wstring> paths;
  for (const VideoRow& row : VideoRows()) paths.push_back(row.Path);
  return paths;
}

void TAppForm::AppendVideoRow(const std::wstring& path, const std::wstring& seconds) {
  HWND list = Control(IDC_LISTVIEW1);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = ListView_GetItemCount(list);
  item.pszText = const_cast<wchar_t*>(path.c_str());
  item.iImage = 0;  // file-video
  const int row = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0,
                                                  reinterpret_cast<LPARAM>(&item)));
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = 1;
  item.pszText = const_cast<wchar_t*>(seconds.c_str());
  ::SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::wstring TAppForm::VideoKacSaniye(const std::wstring& dosyaadi) {
  return ProbeVideoDuration(dosyaadi, *this, context_.ProgramFolder);
}

void TAppForm::VideoSayisiDegisti() {
  SetStatusText(VideoCountText(static_cast<std::size_t>(ListView_GetItemCount(Control(IDC_LISTVIEW1)))));
}

void TAppForm::WMDropFiles(HDROP drop) {
  const unique_hdrop owned(drop);
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    try {
      // The whole path, however long: a cut path would name another file.
      std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
      path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
      const DWORD attributes = ::GetFileAttributesW(path.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        continue;
      }
      if (HasVideoExtension(path)) Ekle(path);
    } catch (const std::exception&) {
      // One item that fails is skipped; the others still come in.
    }
  }
}

void TAppForm::ToolButton3Click() {
  const auto files =
      context_.Services->ChooseFiles(handle_, std::wstring(kAddFilesFilter), L"mp4");
  if (!files) return;
  for (const std::wstring& file : *files) Ekle(file);
}

void TAppForm::AddFile1Click() { ToolButton3Click(); }

void TAppForm::Delete1Click() {
  const std::vector<int> rows = SelectedRows();
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    ListView_DeleteItem(Control(IDC_LISTVIEW1), *row);
  }
  VideoSayisiDegisti();
}

void TAppForm::DeleteAll1Click() {
  ListView_DeleteAllItems(Control(IDC_LISTVIEW1));
  VideoSayisiDegisti();
}

void TAppForm::OpenFolderLocation1Click() {
  const std::vector<VideoRow> rows = VideoRows();
  for (int row : SelectedRows()) {
    const std::wstring& path = rows[static_cast<std::size_t>(row)].Path;
    if (FileExists(path)) {
      context_.Services->ShellExecuteAction(handle_, L"OPEN", L"explorer.exe",
                                            L"/select, \"" + path + L"\"", SW_SHOWNORMAL);
    } else {
      context_.Services->Beep();
    }
  }
}

void TAppForm::Properties1Click() {
  const std::vector<VideoRow> rows = VideoRows();
  for (int row : SelectedRows()) {
    const std::wstring& path = rows[static_cast<std::size_t>(row)].Path;
    if (FileExists(path)) {
      ShowFileProperties(path);
    } else {
      context_.Services->Beep();
    }
  }
}

void TAppForm::ShowFileProperties(const std::wstring& path) {
  context_.Services->ShowFileProperties(path);
}

// ---------------------------------------------------------------------------------------
// The settings panel

void TAppForm::RadioButton1Click() {
  ::ShowWindow(Control(IDC_SPINEDIT1), SW_HIDE);
  ::ShowWindow(Control(IDC_SPINBUTTONS1), SW_HIDE);
  ::ShowWindow(Control(IDC_LABEL6), SW_HIDE);
}

void TAppForm::RadioButton2Click() {
  ::ShowWindow(Control(IDC_SPINEDIT1), SW_SHOW);
  ::ShowWindow(Control(IDC_SPINBUTTONS1), SW_SHOW);
  ::ShowWindow(Control(IDC_LABEL6), SW_SHOW);
}

void TAppForm::SpinEdit1Change() {
  const std::int32_t value = SpinEdit1Value();
  // While the box holds 0 there is no rate: the label keeps its text, nothing is stored.
  const auto label = RateLabelText(value, UserDecimalSeparator());
  if (!label) return;
  SetControlText(IDC_LABEL6, *label);
  if (!SettingsIni) return;
  WriteIntegerSetting(SettingsIni->Image(), setting::Duration, value);
  SettingsIni->Flush();
}

void TAppForm::SpinEdit1Exit() {
  const std::int32_t value = SpinEdit1Value();
  if (ClampImageDuration(value) != value) SetSpinEdit1Value(value);
}

void TAppForm::ComboBox1Change() {
  const auto entry = ::SendMessageW(Control(IDC_COMBOBOX1), CB_GETCURSEL, 0, 0);
  if (SettingsIni && entry >= 0) {
    WriteFormatSetting(SettingsIni->Image(), static_cast<ImageFormat>(entry));
    SettingsIni->Flush();
  }
  ImageFormatDegisti();
}

void TAppForm::ComboBox2Change() {
  const auto entry = ::SendMessageW(Control(IDC_COMBOBOX2), CB_GETCURSEL, 0, 0);
  if (!SettingsIni || entry < 0) return;
  WriteIntegerSetting(SettingsIni->Image(), setting::JpegQuality, static_cast<std::int32_t>(entry));
  SettingsIni->Flush();
}

void TAppForm::Edit1Change() {
  if (!SettingsIni) return;
  WriteTextSetting(SettingsIni->Image(), setting::Destination, ControlText(IDC_EDIT1));
  SettingsIni->Flush();
}

void TAppForm::Button2Click() {
  const auto chosen = context_.Services->ChooseFolder(handle_, L"Select folder:", L"Select",
                                                      lastChosenFolder_);
  if (!chosen) return;
  lastChosenFolder_ = *chosen;
  AddMyFolder(*chosen);
}

void TAppForm::AddMyFolder(const std::wstring& foldername) {
  if (TrimView(foldername).empty()) return;
  lastChosenFolder_ = foldername;
  SetControlText(IDC_EDIT1, foldername);
}

void TAppForm::Button1Click() { RunConversion(*this, context_.ProgramFolder); }

// ---------------------------------------------------------------------------------------
// Menus and toolbar

void TAppForm::StoreSwitch(int command, const SettingDefinition& definition) {
  const bool checked = !MenuChecked(command);
  ::CheckMenuItem(mainMenu_, static_cast<UINT>(command), checked ? MF_CHECKED : MF_UNCHECKED);
  if (!SettingsIni) return;
  WriteSwitchSetting(SettingsIni->Image(), definition, checked);
  SettingsIni->Flush();
}

void TAppForm::InputSeeking1Click() { StoreSwitch(CM_INPUTSEEKING1, setting::InputSeeking); }

void TAppForm::RoundImageDuration1Click() {
  StoreSwitch(CM_ROUNDIMAGEDURATION1, setting::RoundImageDuration);
}

void TAppForm::PadOutputFileswithLeadingZeros1Click() {
  StoreSwitch(CM_PADOUTPUTFILES1, setting::PadOutputFileswithLeadingZeros);
}

void TAppForm::ResettoDefaults1Click() {
  if (SettingsIni) ResetToDefaults(*SettingsIni, *this, context_.ExecutablePath);
}

void TAppForm::Help2Click() {
  context_.Services->ShellExecuteAction(::GetDesktopWindow(), L"open",
                                        OnlineHelpAddress(AppProductName), L"", 0);
}

void TAppForm::Exit1Click() { Terminate(); }

// The feedback window and the About box are not part of this version yet.
void TAppForm::SendFeedback1Click() {}
void TAppForm::About1Click() {}

void TAppForm::ToolButton1Click() { SendFeedback1Click(); }
void TAppForm::ToolButton7Click() { About1Click(); }
void TAppForm::ToolButton2Click() { Help2Click(); }

// ---------------------------------------------------------------------------------------
// What the conversion, the probe and the reset see of the window

std::vector<VideoRow> TAppForm::VideoRows() const {
  std::vector<VideoRow> rows;
  HWND list = Control(IDC_LISTVIEW1);
  const int count = ListView_GetItemCount(list);
  auto cell = [&](int row, int column) {
    std::wstring text(1024, L'\0');
    for (;;) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text.data();
      item.cchTextMax = static_cast<int>(text.size());
      const auto length = static_cast<std::size_t>(
          ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&item)));
      if (length + 1 < text.size()) {
        text.resize(length);
        return text;
      }
      text.resize(text.size() * 2);
    }
  };
  for (int row = 0; row < count; ++row) rows.push_back({cell(row, 0), cell(row, 1)});
  return rows;
}

ExtractionSettings TAppForm::CurrentSettings() const {
  ExtractionSettings settings;
  settings.AllFrames =
      ::SendMessageW(Control(IDC_RADIOBUTTON1), BM_GETCHECK, 0, 0) == BST_CHECKED;
  settings.Duration = ClampImageDuration(SpinEdit1Value());
  settings.InputSeeking = MenuChecked(CM_INPUTSEEKING1);
  settings.RoundImageDuration = MenuChecked(CM_ROUNDIMAGEDURATION1);
  settings.PadOutputFileswithLeadingZeros = MenuChecked(CM_PADOUTPUTFILES1);
  const auto format = ::SendMessageW(Control(IDC_COMBOBOX1), CB_GETCURSEL, 0, 0);
  settings.Format = format > 0 ? static_cast<ImageFormat>(format) : ImageFormat::JPG;
  settings.JpegQuality =
      static_cast<std::int32_t>(::SendMessageW(Control(IDC_COMBOBOX2), CB_GETCURSEL, 0, 0));
  return settings;
}

std::wstring TAppForm::DestinationText() const { return ControlText(IDC_EDIT1); }

void TAppForm::SetImageDuration(std::int32_t Duration) { SetSpinEdit1Value(Duration); }

void TAppForm::ShowMessage(const std::wstring& Text, const std::wstring& Caption,
                           MessageIcon Icon) {
  context_.Services->ShowMessageBox(handle_, Text, Caption, MB_OK | IconFlags(Icon));
}

void TAppForm::SetAppStartingCursor(bool on) {
  appStartingCursor = on;
  ::SetCursor(::LoadCursorW(nullptr, on ? IDC_APPSTARTING : IDC_ARROW));
}

void TAppForm::SetConvertEnabled(bool enabled) {
  ::EnableWindow(Control(IDC_BUTTON1), enabled ? TRUE : FALSE);
}

void TAppForm::SetStatusText(const std::wstring& Text) {
  ::SendMessageW(Control(IDC_STATUSBAR1), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Text.c_str()));
}

void TAppForm::ProcessMessages() { ResetHost::ProcessMessages(); }

int TAppForm::Ask(const std::wstring& text, MsgDlgType type, MsgDlgButtons buttons,
                  const std::wstring& caption, const std::vector<std::wstring>& captions) {
  return context_.Services->MessageDlg(handle_, text, type, buttons, caption, captions);
}

void TAppForm::Restart(const std::wstring& executablePath) {
  context_.Services->ShellExecuteAction(handle_, L"", executablePath, L"", SW_SHOWNORMAL);
}

void TAppForm::Terminate() { context_.Services->Terminate(); }

}  // namespace framora
