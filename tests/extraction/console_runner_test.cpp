// The console command runner against the real cmd.exe. The commands run emit_console.exe
// (tests/support), which lies beside this test in the program folder and writes exactly the
// bytes a case asks for.
#include "extraction/console_runner_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/files_win.h"

namespace framora {
namespace {

// "out:<hex>" / "err:<hex>": an emit_console action writing these bytes.
std::wstring Write(std::wstring_view stream, std::string_view bytes) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring action(stream);
  action += L':';
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    action += kDigits[b >> 4];
    action += kDigits[b & 0x0F];
  }
  return action;
}
std::wstring Out(std::string_view bytes) {
  return Write(L"out", bytes);
}
std::wstring Err(std::string_view bytes) {
  return Write(L"err", bytes);
}

// The command line that makes emit_console do these actions.
std::wstring Emit(std::initializer_list<std::wstring> actions) {
  std::wstring command = L"emit_console.exe";
  for (const std::wstring& action : actions)
    command += L' ' + action;
  return command;
}

// The bytes decoded with the ANSI code page in one go: what the log must show when the
// output reaches it without being torn apart.
std::wstring AnsiText(std::string_view bytes) {
  const int count = static_cast<int>(bytes.size());
  std::wstring text(static_cast<std::size_t>(count), L'\0');
  text.resize(static_cast<std::size_t>(
      ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, text.data(), count)));
  return text;
}

class ConsoleRunner : public testing::Test {
 protected:
  ConsoleRunResult Run(const std::wstring& commandLine) {
    return RunConsoleCommand(commandLine, ProgramFolder(), log_);
  }
  TextLog log_;
};

TEST_F(ConsoleRunner, BothStreamsLandInTheLogInTheOrderWritten) {
  struct Case {
    const char* name;
    std::wstring command;
    std::wstring text;
  };
  const Case cases[] = {
      {"interleaved streams",
       Emit({Out("one\r\n"), Err("two\r\n"), Out("three\r\n"), Err("four\r\n")}),
       L"one\r\ntwo\r\nthree\r\nfour\r\n"},
      {"separate reads joined with nothing between them",
       Emit({Out("12."), L"sleep:100", Err("48"), L"sleep:100", Out("0000\n")}), L"12.480000\n"},
      {"a zero byte ends its read's text",
       Emit({Out(std::string_view("AB\0C", 4)), L"sleep:100", Out("D")}), L"ABD"},
  };
  for (const Case& c : cases) {
    log_.Clear();
    const ConsoleRunResult result = Run(c.command);
    EXPECT_TRUE(result.Started) << c.name;
    EXPECT_EQ(log_.Text(), c.text) << c.name;
  }
}

TEST_F(ConsoleRunner, SilentCommandLeavesTheLogExactlyAsItWas) {
  log_.AddLine(L"ffmpeg.exe -i clip.mp4");
  log_.Append(L"partial");
  const std::wstring before = log_.Text();
  EXPECT_TRUE(Run(Emit({})).Started);
  EXPECT_EQ(log_.Text(), before);
}

TEST_F(ConsoleRunner, OutputWithoutFinalLineBreakIsKeptAndTheNextLineStartsOnItsOwn) {
  log_.AddLine(L"first command");
  Run(Emit({Out("no line break")}));
  EXPECT_EQ(log_.Text(), L"first command\r\nno line break");
  log_.AddLine(L"second command");
  EXPECT_EQ(log_.Text(), L"first command\r\nno line break\r\nsecond command\r\n");
}

TEST_F(ConsoleRunner, PassesOnTheToolsExitCode) {
  for (const unsigned code : {0u, 1u, 3u}) {
    const ConsoleRunResult result = Run(Emit({Out("x"), L"exit:" + std::to_wstring(code)}));
    EXPECT_TRUE(result.Started) << code;
    EXPECT_EQ(result.ExitCode, code);
  }
}

TEST_F(ConsoleRunner, MissingToolGivesTheInterpretersComplaint) {
  const ConsoleRunResult result = Run(L"framora_missing_tool.exe -version");
  EXPECT_TRUE(result.Started);
  EXPECT_NE(result.ExitCode, 0u);
  EXPECT_NE(log_.Text().find(L"framora_missing_tool"), std::wstring::npos) << log_.Text();
}

TEST_F(ConsoleRunner, MissingWorkingFolderStartsNothing) {
  log_.AddLine(L"before");
  const ConsoleRunResult result = RunConsoleCommand(Emit({Out("must not appear")}),
                                                    ProgramFolder() + L"\\no such folder", log_);
  EXPECT_FALSE(result.Started);
  EXPECT_EQ(log_.Text(), L"before\r\n");
}

// More than any pipe buffer holds: the runner must read while the tool writes, and lose
// nothing over thousands of reads.
TEST_F(ConsoleRunner, LargeOutputArrivesWhole) {
  const ConsoleRunResult result = Run(Emit({L"mb:1", Out("end")}));
  EXPECT_TRUE(result.Started);
  ASSERT_EQ(log_.Size(), 1048576u + 3u);
  const std::wstring& text = log_.Text();
  const std::wstring line = text.substr(0, 64);
  ASSERT_EQ(line.substr(62), L"\r\n");
  for (std::size_t at = 0; at < 1048576u; at += 64) {
    ASSERT_EQ(text.compare(at, 64, line), 0) << "line at " << at;
  }
  EXPECT_EQ(text.substr(1048576u), L"end");
}

// The tests below depend on the system's ANSI code page. The default run has 1252 (en_US);
// a second CTest entry runs this program with ja_JP.UTF-8, whose code page 932 has
// double-byte characters.
bool RunsInLocale(const char* wineLang) {
  const char* lang = std::getenv("FRAMORA_WINE_LANG");
  return lang != nullptr && std::string_view(lang) == wineLang;
}

TEST_F(ConsoleRunner, DecodesWithTheAnsiCodePageNotTheOemOne) {
  if (::GetACP() != 1252)
    GTEST_SKIP() << "needs the ANSI code page 1252";
  Run(Emit({Out("caf\xE9\r\n")}));
  // OEM code page 437 would give U+0398 for E9.
  EXPECT_EQ(log_.Text(), L"caf\u00E9\r\n");
}

class ConsoleRunnerCp932 : public ConsoleRunner {
 protected:
  void SetUp() override {
    if (::GetACP() == 932)
      return;
    if (RunsInLocale("ja_JP.UTF-8"))
      FAIL() << "ja_JP.UTF-8 gave the ANSI code page " << ::GetACP();
    GTEST_SKIP() << "runs in the ja_JP.UTF-8 entry, which has the ANSI code page 932";
  }
};

// 日本語 in code page 932.
const std::string kNihongo = "\x93\xFA\x96\x7B\x8C\xEA";
const std::wstring kNihongoText = L"\u65E5\u672C\u8A9E";

TEST_F(ConsoleRunnerCp932, DoubleByteCharacterAcrossTheReadBoundaryArrivesWhole) {
  struct Case {
    const char* name;
    std::wstring command;
    std::wstring text;
  };
  // 254 single bytes put the lead byte of 日 last in the first read of 255 bytes.
  const std::string before(254, 'x');
  const std::wstring beforeText(254, L'x');
  std::string manyCharacters;
  std::wstring manyCharactersText;
  for (int i = 0; i < 100; ++i) {
    manyCharacters += kNihongo;
    manyCharactersText += kNihongoText;
  }
  const Case cases[] = {
      {"one write", Emit({Out(before + kNihongo + "\r\n")}), beforeText + kNihongoText + L"\r\n"},
      {"two writes with a pause between lead and trail byte",
       Emit({Out(before + kNihongo.substr(0, 1)), L"sleep:200", Out(kNihongo.substr(1))}),
       beforeText + kNihongoText},
      // Every odd-sized read of this ends inside a character.
      {"only double-byte characters", Emit({Out(manyCharacters)}), manyCharactersText},
      {"split through standard error", Emit({Err("x\x93"), L"sleep:200", Out("\xFA")}), L"x\u65E5"},
  };
  for (const Case& c : cases) {
    log_.Clear();
    EXPECT_TRUE(Run(c.command).Started) << c.name;
    EXPECT_EQ(log_.Text(), c.text) << c.name;
  }
}

TEST_F(ConsoleRunnerCp932, UnfinishedCharacterAtTheEndIsDecodedAsItIs) {
  Run(Emit({Out("A\x93")}));
  EXPECT_EQ(log_.Text(), AnsiText("A\x93")) << "the lone lead byte must not be dropped";
}

}  // namespace
}  // namespace framora
