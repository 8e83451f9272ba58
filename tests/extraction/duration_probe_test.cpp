// The duration probe under Wine with the real ffprobe.exe and cmd.exe.
#include "extraction/duration_probe_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/files_win.h"
#include "support/fake_extraction_window.h"
#include "support/temp_folder_win.h"
#include "support/test_paths.h"

namespace framora {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class DurationProbe : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(ProgramFolder() + L"\\ffprobe.exe"))
        << "ffprobe.exe is missing beside the tests: run scripts/setup.sh";
    window.log.Append(L"ffmpeg.exe -i ... from the last conversion\r\n");
  }
  std::wstring Probe(const std::wstring& name, const std::wstring& folder = ProgramFolder()) {
    return ProbeVideoDuration(test::TestMediaFolder() + L"\\" + name, window, folder);
  }

  test::FakeExtractionWindow window;
};

TEST_F(DurationProbe, ReadableVideoGivesItsLengthAndClearsTheLog) {
  EXPECT_EQ(Probe(L"clip.mp4"), L"12.480000");
  EXPECT_EQ(window.log.Text(), L"12.480000\r\n");  // only the tool's output is left
  EXPECT_THAT(window.events, ElementsAre("cursor:busy", "cursor:default"));
  EXPECT_EQ(Probe(L"short.mkv"), L"3.000000");
}

TEST_F(DurationProbe, DamagedFileGivesTheToolsOwnMessage) {
  const std::wstring result = Probe(L"damaged.mp4");
  EXPECT_THAT(result, HasSubstr(L"damaged.mp4"));
  EXPECT_THAT(result, HasSubstr(L"Invalid data"));
  EXPECT_FALSE(window.busyCursor);
}

TEST_F(DurationProbe, MissingProbeToolGivesTheInterpretersComplaint) {
  test::TempFolder emptyProgramFolder;
  const std::wstring result = Probe(L"clip.mp4", emptyProgramFolder.path());
  // cmd.exe's own words, which name the command it could not find.
  EXPECT_THAT(result, HasSubstr(L"ffprobe.exe"));
  EXPECT_EQ(result.find(L"12.48"), std::wstring::npos);
  EXPECT_EQ(window.log.Text().find(L"last conversion"), std::wstring::npos);
  EXPECT_THAT(window.events, ElementsAre("cursor:busy", "cursor:default"));
}

TEST_F(DurationProbe, InterpreterThatCannotStartGivesEmptyText) {
  EXPECT_EQ(Probe(L"clip.mp4", L"C:\\no\\such\\program\\folder"), L"");
  EXPECT_EQ(window.log.Text(), L"");
  EXPECT_THAT(window.events, ElementsAre("cursor:busy", "cursor:default"));
}

TEST(DurationProbeCommand, AsksForTheContainerDurationOnly) {
  EXPECT_EQ(DurationProbeCommand(L"C:\\Videos\\my clip.mp4"),
            L"ffprobe.exe -v error -show_entries format=duration -of "
            L"default=noprint_wrappers=1:nokey=1 \"C:\\Videos\\my clip.mp4\"");
}

}  // namespace
}  // namespace framora
