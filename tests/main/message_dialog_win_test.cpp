// The message dialog shown for real (needs a display): a second thread finds it, reads its
// controls and answers it with a key, as a user would.
#include "main/message_dialog_win.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/files_win.h"
#include "main/reset_defaults_win.h"
#include "main/settings_store_win.h"

namespace framora {
namespace {

using testing::ElementsAre;

struct Control {
  std::wstring className;
  std::wstring text;
  LONG_PTR style = 0;
  RECT rect{};  // in the dialog's client coordinates
};

// What the driving thread saw of the dialog.
struct Seen {
  bool found = false;
  std::wstring caption;
  std::vector<Control> controls;  // in creation order
  RECT client{};
  bool hasIcon = false;

  std::vector<std::wstring> PushButtonCaptions() const {
    std::vector<std::wstring> captions;
    for (const Control& c : controls) {
      const LONG_PTR type = c.style & BS_TYPEMASK;
      if (c.className == L"Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
        captions.push_back(c.text);
      }
    }
    return captions;
  }
  const Control* Find(const std::wstring& text) const {
    for (const Control& c : controls) {
      if (c.text == text) return &c;
    }
    return nullptr;
  }
};

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return text;
}

HWND FindDialogOf(DWORD threadId) {
  HWND found = nullptr;
  ::EnumThreadWindows(
      threadId,
      [](HWND window, LPARAM param) -> BOOL {
        wchar_t className[32] = {};
        ::GetClassNameW(window, className, 32);
        if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window)) {
          *reinterpret_cast<HWND*>(param) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// One key press as the dialog's modal loop receives it: posted to the focused control.
void PressKey(HWND dialog, DWORD threadId, WPARAM key) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  HWND target = dialog;
  if (::GetGUIThreadInfo(threadId, &info) && info.hwndFocus && ::IsChild(dialog, info.hwndFocus)) {
    target = info.hwndFocus;
  }
  ::PostMessageW(target, WM_KEYDOWN, key, 1);
  ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Runs `show` on this thread while another thread waits for the dialog, records it and
// then calls `answer` with the dialog's window and this thread's id.
Seen ShowAndAnswer(const std::function<void()>& show,
                   const std::function<void(HWND, DWORD)>& answer) {
  Seen seen;
  const DWORD threadId = ::GetCurrentThreadId();
  std::thread driver([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 1000 && dialog == nullptr; ++i) {
      ::Sleep(20);
      dialog = FindDialogOf(threadId);
    }
    if (dialog == nullptr) return;
    seen.found = true;
    seen.caption = TextOf(dialog);
    ::GetClientRect(dialog, &seen.client);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      Control c;
      wchar_t className[32] = {};
      ::GetClassNameW(child, className, 32);
      c.className = className;
      c.text = TextOf(child);
      c.style = ::GetWindowLongPtrW(child, GWL_STYLE);
      ::GetWindowRect(child, &c.rect);
      ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&c.rect), 2);
      if (c.className == L"Static" && (c.style & SS_TYPEMASK) == SS_ICON) {
        seen.hasIcon = ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
      }
      seen.controls.push_back(c);
    }
    answer(dialog, threadId);
    // A dialog the answer did not close is closed with its first button, so that a failing
    // test ends instead of hanging; the result then shows the fault.
    for (int i = 0; i < 500 && ::IsWindow(dialog); ++i) ::Sleep(20);
    if (::IsWindow(dialog)) {
      HWND first = ::FindWindowExW(dialog, nullptr, L"Button", nullptr);
      ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(first), BN_CLICKED),
                     reinterpret_cast<LPARAM>(first));
    }
  });
  try {
    show();
  } catch (...) {
    driver.join();
    throw;
  }
  driver.join();
  return seen;
}

int AskRestart(WPARAM key, Seen& seen) {
  int result = -1;
  seen = ShowAndAnswer(
      [&] {
        result = MessageDlgCaptions(L"Restart Application?", MsgDlgType::Confirmation,
                                    {MsgDlgBtn::Yes, MsgDlgBtn::No}, L"Confirmation",
                                    {L"Yes", L"No"});
      },
      [key](HWND dialog, DWORD threadId) { PressKey(dialog, threadId, key); });
  return result;
}

TEST(MessageDlgCaptions, ResetQuestionLooksRightAndEnterAnswersYes) {
  Seen seen;
  EXPECT_EQ(AskRestart(VK_RETURN, seen), mrYes);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, L"Confirmation");
  EXPECT_TRUE(seen.hasIcon);
  ASSERT_NE(seen.Find(L"Restart Application?"), nullptr);
  EXPECT_THAT(seen.PushButtonCaptions(), ElementsAre(L"Yes", L"No"));

  // Yes is the default, left of No; the text and buttons lie inside the dialog.
  const Control* yes = seen.Find(L"Yes");
  const Control* no = seen.Find(L"No");
  ASSERT_TRUE(yes && no);
  EXPECT_EQ(yes->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(no->style & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_LE(yes->rect.right, no->rect.left);
  EXPECT_EQ(yes->rect.top, no->rect.top);
  for (const Control& c : seen.controls) {
    EXPECT_GE(c.rect.left, 0);
    EXPECT_GE(c.rect.top, 0);
    EXPECT_LE(c.rect.right, seen.client.right);
    EXPECT_LE(c.rect.bottom, seen.client.bottom);
    EXPECT_GT(c.rect.right, c.rect.left);
  }
  const Control* text = seen.Find(L"Restart Application?");
  EXPECT_LE(text->rect.bottom, yes->rect.top);
}

TEST(MessageDlgCaptions, EscapeAnswersNo) {
  Seen seen;
  EXPECT_EQ(AskRestart(VK_ESCAPE, seen), mrNo);
  EXPECT_TRUE(seen.found);
}

struct KeyCase {
  const char* name;
  std::vector<MsgDlgBtn> buttons;
  std::vector<std::wstring> captions;
  WPARAM key;
  int thenClick;  // 0: nothing; else the button clicked after the key
  int expected;
  std::vector<std::wstring> shown;  // push button captions in order
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class ButtonSets : public testing::TestWithParam<KeyCase> {};

TEST_P(ButtonSets, KeysAnswerAndCaptionsGoInScreenOrder) {
  const KeyCase& c = GetParam();
  MsgDlgButtons buttons;
  for (MsgDlgBtn b : c.buttons) buttons.Add(b);
  int result = -1;
  const Seen seen = ShowAndAnswer(
      [&] {
        result = MessageDlgCaptions(L"Message", MsgDlgType::Warning, buttons, L"Caption",
                                    c.captions);
      },
      [&](HWND dialog, DWORD threadId) {
        PressKey(dialog, threadId, c.key);
        // Queued behind the key: it decides only if the key did not end the dialog.
        if (c.thenClick != 0) {
          ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(c.thenClick, BN_CLICKED),
                         reinterpret_cast<LPARAM>(::GetDlgItem(dialog, c.thenClick)));
        }
      });
  EXPECT_EQ(result, c.expected);
  EXPECT_EQ(seen.PushButtonCaptions(), c.shown);
}

using B = MsgDlgBtn;

INSTANTIATE_TEST_SUITE_P(
    Answers, ButtonSets,
    testing::Values(
        KeyCase{"CancelAnswersEscape", {B::Yes, B::No, B::Cancel}, {L"Ja"}, VK_ESCAPE, 0,
                mrCancel, {L"Ja", L"&No", L"Cancel"}},
        KeyCase{"OkAloneAnswersEscape", {B::OK}, {}, VK_ESCAPE, 0, mrOk, {L"OK"}},
        KeyCase{"OkIsTheDefaultBeforeYes", {B::Cancel, B::OK, B::Yes}, {}, VK_RETURN, 0, mrOk,
                {L"&Yes", L"OK", L"Cancel"}},
        KeyCase{"FirstButtonIsTheDefaultOtherwise", {B::Abort, B::Retry, B::Ignore}, {},
                VK_RETURN, 0, mrAbort, {L"&Abort", L"&Retry", L"&Ignore"}},
        KeyCase{"EscapeWithoutAnAnswerDoesNothing", {B::Abort, B::Retry, B::Ignore}, {},
                VK_ESCAPE, mrRetry, mrRetry, {L"&Abort", L"&Retry", L"&Ignore"}},
        KeyCase{"CaptionsFollowTheScreenOrder", {B::Close, B::Help, B::YesToAll, B::No},
                {L"1", L"2", L"3", L"4", L"5"}, VK_ESCAPE, 0, mrNo,
                {L"1", L"2", L"3", L"4"}}),
    [](const testing::TestParamInfo<KeyCase>& param) { return param.param.name; });

// The reset with its real question, answered with Escape: nothing happens.
class RecordingWindow : public ResetHost {
 public:
  HWND OwnerWindow() const override { return nullptr; }
  void Restart(const std::wstring&) override { restarted = true; }
  void Terminate() override { terminated = true; }
  bool restarted = false;
  bool terminated = false;
};

TEST(ResetToDefaults, EscapeInTheRealQuestionChangesNothing) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring path =
      std::wstring(temp) + L"framora-reset-" + std::to_wstring(::GetCurrentProcessId()) + L".ini";
  auto settings = OpenSettingsFile(path);
  settings->Image().WriteInteger(L"Settings", L"Duration", 5);
  settings->Flush();

  RecordingWindow window;
  const Seen seen = ShowAndAnswer([&] { ResetToDefaults(*settings, window); },
                                  [](HWND dialog, DWORD threadId) {
                                    PressKey(dialog, threadId, VK_ESCAPE);
                                  });
  EXPECT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, L"Confirmation");
  EXPECT_TRUE(FileExists(path));
  EXPECT_FALSE(window.restarted);
  EXPECT_FALSE(window.terminated);
  ::DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace framora
