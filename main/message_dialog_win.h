// The program's modal message dialog with its own button captions. Built on the dialog
// manager rather than MessageBoxW, whose Yes/No box cannot be answered with Escape.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace framora {

// The icon: warning, error, information, confirmation (question mark), none.
enum class MsgDlgType { Warning, Error, Information, Confirmation, Custom };

// The buttons, in the order the dialog shows them.
enum class MsgDlgBtn { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help,
                       Close };

// A set of buttons; the order they are named in does not matter.
class MsgDlgButtons {
 public:
  MsgDlgButtons() = default;
  MsgDlgButtons(std::initializer_list<MsgDlgBtn> buttons) {
    for (MsgDlgBtn b : buttons) Add(b);
  }
  void Add(MsgDlgBtn b) { bits_ |= Bit(b); }
  bool Has(MsgDlgBtn b) const { return (bits_ & Bit(b)) != 0; }

 private:
  static std::uint32_t Bit(MsgDlgBtn b) { return 1u << static_cast<unsigned>(b); }
  std::uint32_t bits_ = 0;
};

// Modal results: the pressed button's Windows identifier where there is one.
inline constexpr int mrOk = IDOK;
inline constexpr int mrCancel = IDCANCEL;
inline constexpr int mrAbort = IDABORT;
inline constexpr int mrRetry = IDRETRY;
inline constexpr int mrIgnore = IDIGNORE;
inline constexpr int mrYes = IDYES;  // 6
inline constexpr int mrNo = IDNO;    // 7
inline constexpr int mrClose = IDCLOSE;
inline constexpr int mrHelp = IDHELP;
inline constexpr int mrAll = 12;
inline constexpr int mrNoToAll = 13;
inline constexpr int mrYesToAll = 14;

// Shows `Msg` modally over `owner` (the active window when null) with the type's icon and
// the chosen buttons, sets the window caption to `Caption`, gives the push buttons the
// captions of `Captions` in button order while captions remain, and returns the pressed
// button's modal result. OK, else Yes, else the first button is the default (Enter);
// Escape and the close box answer Cancel, else No, else OK, and do nothing when none of
// them is present. Raises AppError when the dialog cannot be created.
int MessageDlgCaptions(const std::wstring& Msg, MsgDlgType DlgType, MsgDlgButtons Buttons,
                       const std::wstring& Caption, const std::vector<std::wstring>& Captions,
                       HWND owner = nullptr);

}  // namespace framora
