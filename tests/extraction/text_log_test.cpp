#include "extraction/text_log.h"

#include <gtest/gtest.h>

namespace framora {
namespace {

TEST(TextLog, AddLineStartsOnANewLineAfterUnterminatedOutput) {
  TextLog log;
  log.AddLine(L"ffmpeg.exe -i a");
  log.Append(L"last words");
  log.AddLine(L"ffmpeg.exe -i b");
  EXPECT_EQ(log.Text(), L"ffmpeg.exe -i a\r\nlast words\r\nffmpeg.exe -i b\r\n");
}

TEST(TextLog, AppendKeepsTextAndLineBreaksUnchanged) {
  TextLog log;
  log.Append(L"a\nb\r");
  log.Append(L"");
  log.Append(L"\nc");
  EXPECT_EQ(log.Text(), L"a\nb\r\nc");
  log.Clear();
  EXPECT_EQ(log.Text(), L"");
}

TEST(TextLog, LastLineSkipsTrailingBlankLinesAndStaysInItsRange) {
  TextLog log;
  log.AddLine(L"ffmpeg.exe -i a");
  const auto start = log.Size();
  EXPECT_EQ(log.LastLine(start), L"");
  log.Append(L"first\r\n  Conversion failed!  \r\n\r\n  \n");
  EXPECT_EQ(log.LastLine(start), L"Conversion failed!");
  EXPECT_EQ(log.LastLine(log.Size() + 10), L"");
  TextLog single;
  single.Append(L"only");
  EXPECT_EQ(single.LastLine(), L"only");
}

}  // namespace
}  // namespace framora
