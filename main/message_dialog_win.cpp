#include "main/message_dialog_win.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <string_view>

#include "base/win_error_win.h"

namespace framora {

namespace {

struct ButtonKind {
  MsgDlgBtn button;
  int result;  // also the control's identifier
  const wchar_t* caption;
};

// The order is the order on screen.
constexpr ButtonKind kButtons[] = {
    {MsgDlgBtn::Yes, mrYes, L"&Yes"},
    {MsgDlgBtn::No, mrNo, L"&No"},
    {MsgDlgBtn::OK, mrOk, L"OK"},
    {MsgDlgBtn::Cancel, mrCancel, L"Cancel"},
    {MsgDlgBtn::Abort, mrAbort, L"&Abort"},
    {MsgDlgBtn::Retry, mrRetry, L"&Retry"},
    {MsgDlgBtn::Ignore, mrIgnore, L"&Ignore"},
    {MsgDlgBtn::All, mrAll, L"&All"},
    {MsgDlgBtn::NoToAll, mrNoToAll, L"N&o to All"},
    {MsgDlgBtn::YesToAll, mrYesToAll, L"Yes to &All"},
    {MsgDlgBtn::Help, mrHelp, L"&Help"},
    {MsgDlgBtn::Close, mrClose, L"&Close"},
};

constexpr WORD kIconId = 100;
constexpr WORD kTextId = 101;

const wchar_t* IconOf(MsgDlgType type) {
  switch (type) {
    case MsgDlgType::Warning:
      return IDI_WARNING;
    case MsgDlgType::Error:
      return IDI_ERROR;
    case MsgDlgType::Information:
      return IDI_INFORMATION;
    case MsgDlgType::Confirmation:
      return IDI_QUESTION;
    case MsgDlgType::Custom:
      break;
  }
  return nullptr;
}

// What the dialog procedure needs; lives on MessageDlgCaptions' stack for the modal loop.
struct DialogState {
  const std::wstring* message = nullptr;
  const std::wstring* caption = nullptr;
  const std::vector<std::wstring>* captions = nullptr;
  const wchar_t* icon = nullptr;
  std::vector<int> results;  // the buttons' results in order
  int defaultResult = 0;
  int escapeResult = 0;      // 0: Escape does nothing
  std::exception_ptr failure;
};

// An in-memory dialog template: header, then items, each aligned to a DWORD.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, const LOGFONTW& font, int pointSize) {
    AppendDword(style);
    AppendDword(0);  // extended style
    countAt_ = words_.size();
    Append(0);                    // item count, filled in by AddItem
    for (int i = 0; i < 4; ++i) Append(0);  // x, y, cx, cy: laid out in pixels later
    Append(0);                    // no menu
    Append(0);                    // the standard dialog class
    Append(0);                    // title, set later
    Append(static_cast<WORD>(pointSize));
    AppendText(font.lfFaceName);
  }

  void AddItem(DWORD style, WORD id, WORD atom, const wchar_t* text) {
    if (words_.size() % 2 != 0) Append(0);
    AppendDword(style | WS_CHILD | WS_VISIBLE);
    AppendDword(0);
    for (int i = 0; i < 4; ++i) Append(0);
    Append(id);
    Append(0xFFFF);
    Append(atom);
    AppendText(text);
    Append(0);  // no creation data
    ++words_[countAt_];
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Append(WORD w) { words_.push_back(w); }
  void AppendDword(DWORD d) {
    Append(LOWORD(d));
    Append(HIWORD(d));
  }
  void AppendText(std::wstring_view text) {
    for (wchar_t c : text) Append(static_cast<WORD>(c));
    Append(0);
  }

  std::vector<WORD> words_;  // new[] aligns it for DWORD access
  std::size_t countAt_ = 0;
};

bool IsPushButton(HWND control) {
  wchar_t className[16] = {};
  ::GetClassNameW(control, className, 16);
  const LONG_PTR type = ::GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
  return std::wstring_view(className) == L"Button" &&
         (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

SIZE TextSize(HDC dc, const std::wstring& text, int maxWidth, UINT format) {
  RECT r{0, 0, maxWidth, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Places icon, text and buttons in pixels: the icon at the top left, the text beside it,
// the buttons of one width centred in a row below.
void LayOut(HWND dialog, const DialogState& state, HWND owner) {
  HDC dc = ::GetDC(dialog);
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  auto scale = [dpi](int pixels) { return ::MulDiv(pixels, dpi, 96); };
  HGDIOBJ oldFont =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0)));

  const int margin = scale(12);
  const int iconSize = state.icon ? ::GetSystemMetrics(SM_CXICON) : 0;
  const int iconGap = state.icon ? scale(12) : 0;
  const SIZE text = TextSize(dc, *state.message, scale(400),
                             DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);

  int buttonWidth = scale(75);
  const int buttonHeight = scale(25);
  const int buttonGap = scale(8);
  std::vector<HWND> buttons;
  for (int result : state.results) {
    HWND button = ::GetDlgItem(dialog, result);
    buttons.push_back(button);
    wchar_t caption[256] = {};
    ::GetWindowTextW(button, caption, 256);
    buttonWidth = std::max<int>(buttonWidth,
                                TextSize(dc, caption, 10000, DT_SINGLELINE).cx + scale(16));
  }
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(dialog, dc);

  const int count = static_cast<int>(buttons.size());
  const int rowWidth = count * buttonWidth + std::max(0, count - 1) * buttonGap;
  const int contentHeight = std::max<int>(iconSize, text.cy);
  const int clientWidth = 2 * margin + std::max<int>(iconSize + iconGap + text.cx, rowWidth);
  const int buttonsTop = margin + contentHeight + scale(16);
  const int clientHeight = buttonsTop + buttonHeight + margin;

  if (state.icon) {
    ::MoveWindow(::GetDlgItem(dialog, kIconId), margin, margin, iconSize, iconSize, FALSE);
  }
  // A short text stands level with the icon's middle.
  const int textTop = margin + std::max<int>(0, (iconSize - text.cy) / 2);
  ::MoveWindow(::GetDlgItem(dialog, kTextId), margin + iconSize + iconGap, textTop, text.cx,
               text.cy, FALSE);
  int x = (clientWidth - rowWidth) / 2;
  for (HWND button : buttons) {
    ::MoveWindow(button, x, buttonsTop, buttonWidth, buttonHeight, FALSE);
    x += buttonWidth + buttonGap;
  }

  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
  const RECT& area = monitor.rcWork;
  ::SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitDialog(HWND dialog, DialogState& state, HWND owner) {
  ::SetWindowTextW(dialog, state.caption->c_str());
  if (state.icon) {
    ::SendDlgItemMessageW(dialog, kIconId, STM_SETICON,
                          reinterpret_cast<WPARAM>(::LoadIconW(nullptr, state.icon)), 0);
  }
  ::SetDlgItemTextW(dialog, kTextId, state.message->c_str());
  // The given captions go to the push buttons in the order the controls were created.
  std::size_t next = 0;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child && next < state.captions->size();
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (IsPushButton(child)) ::SetWindowTextW(child, (*state.captions)[next++].c_str());
  }
  if (state.escapeResult == 0) {
    // Nothing answers Escape, so the close box would do nothing either.
    ::EnableMenuItem(::GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }
  LayOut(dialog, state, owner);
  ::SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(state.defaultResult), 0);
  ::SetFocus(::GetDlgItem(dialog, state.defaultResult));
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  try {
    switch (message) {
      case WM_INITDIALOG:
        state = reinterpret_cast<DialogState*>(lParam);
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        InitDialog(dialog, *state, ::GetWindow(dialog, GW_OWNER));
        return FALSE;  // the focus is set
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED || state == nullptr) return FALSE;
        // The dialog manager sends IDCANCEL for Escape and the close box.
        const bool isButton = std::find(state->results.begin(), state->results.end(), id) !=
                              state->results.end();
        if (isButton) {
          ::EndDialog(dialog, id);
        } else if (id == IDCANCEL && state->escapeResult != 0) {
          ::EndDialog(dialog, state->escapeResult);
        }
        return TRUE;
      }
      default:
        return FALSE;
    }
  } catch (...) {
    // Exceptions never cross the dialog manager; MessageDlgCaptions raises it again.
    if (state != nullptr) state->failure = std::current_exception();
    ::EndDialog(dialog, 0);
    return TRUE;
  }
}

}  // namespace

int MessageDlgCaptions(const std::wstring& Msg, MsgDlgType DlgType, MsgDlgButtons Buttons,
                       const std::wstring& Caption, const std::vector<std::wstring>& Captions,
                       HWND owner) {
  DialogState state;
  state.message = &Msg;
  state.caption = &Caption;
  state.captions = &Captions;
  state.icon = IconOf(DlgType);
  for (const ButtonKind& kind : kButtons) {
    if (Buttons.Has(kind.button)) state.results.push_back(kind.result);
  }
  auto has = [&](MsgDlgBtn b) { return Buttons.Has(b); };
  if (!state.results.empty()) {
    state.defaultResult = has(MsgDlgBtn::OK)    ? mrOk
                          : has(MsgDlgBtn::Yes) ? mrYes
                                                : state.results.front();
  }
  state.escapeResult = has(MsgDlgBtn::Cancel) ? mrCancel
                       : has(MsgDlgBtn::No)   ? mrNo
                       : has(MsgDlgBtn::OK)   ? mrOk
                                              : 0;

  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HDC screen = ::GetDC(nullptr);
  const int screenDpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  const int pointSize =
      std::max(1, ::MulDiv(std::abs(metrics.lfMessageFont.lfHeight), 72, screenDpi));

  DialogTemplate dialog(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        metrics.lfMessageFont, pointSize);
  constexpr WORD kStatic = 0x0082;
  constexpr WORD kButton = 0x0080;
  if (state.icon) dialog.AddItem(SS_ICON, kIconId, kStatic, L"");
  dialog.AddItem(SS_LEFT | SS_NOPREFIX, kTextId, kStatic, L"");
  for (const ButtonKind& kind : kButtons) {
    if (!Buttons.Has(kind.button)) continue;
    const DWORD style =
        WS_TABSTOP | (kind.result == state.defaultResult ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    dialog.AddItem(style, static_cast<WORD>(kind.result), kButton, kind.caption);
  }

  if (owner == nullptr) owner = ::GetActiveWindow();
  const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.get(),
                                                   owner, DialogProc,
                                                   reinterpret_cast<LPARAM>(&state));
  if (state.failure) std::rethrow_exception(state.failure);
  if (result == -1) RaiseLastOSError();
  return static_cast<int>(result);
}

}  // namespace framora
