// The "Convert" action under Wine: real folders, the real cmd.exe and the real ffmpeg.exe of
// the program folder; only the window is a recording stand-in.
#include "extraction/conversion_win.h"

#include <windows.h>

#include <cstdlib>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/error.h"
#include "base/files_win.h"
#include "base/locale_win.h"
#include "base/win_error_win.h"
#include "support/fake_extraction_window.h"
#include "support/image_size.h"
#include "support/temp_folder_win.h"
#include "support/test_paths.h"

namespace framora {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using test::FakeExtractionWindow;
using test::ListFolder;
using test::TempFolder;

const std::wstring kCR2 = L"\r\r";

class Conversion : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(ProgramFolder() + L"\\ffmpeg.exe"))
        << "ffmpeg.exe is missing beside the tests: run scripts/setup.sh";
    ASSERT_FALSE(test::TestMediaFolder().empty()) << "FRAMORA_TEST_MEDIA is not set";
    window.settings.Duration = 1000;
    window.settings.InputSeeking = true;
    window.settings.RoundImageDuration = true;
    window.destination = out.path();
    window.log.Append(L"left from the last run");
  }

  static std::wstring Media(const std::wstring& name) {
    return test::TestMediaFolder() + L"\\" + name;
  }
  void AddClip(const std::wstring& name, const std::wstring& seconds) {
    window.rows.push_back({Media(name), seconds});
  }
  void Run(const std::wstring& programFolder = ProgramFolder()) {
    RunConversion(window, programFolder);
  }
  const FakeExtractionWindow::Message& OnlyMessage() {
    EXPECT_EQ(window.messages.size(), 1u);
    return window.messages.back();
  }

  TempFolder out;
  FakeExtractionWindow window;
};

TEST_F(Conversion, EmptyListOnlyWarns) {
  window.status = L"0 file";
  Run();
  EXPECT_THAT(window.events, ElementsAre("message:WARNING"));
  EXPECT_EQ(OnlyMessage().Text, L"Please add source files!");
  EXPECT_EQ(OnlyMessage().Icon, MessageIcon::Warning);
  EXPECT_EQ(window.log.Text(), L"left from the last run");
  EXPECT_EQ(window.status, L"0 file");
}

TEST_F(Conversion, EmptyDestinationRaisesForTheGeneralErrorReport) {
  AddClip(L"clip.mp4", L"12.480000");
  window.destination = L"";
  try {
    Run();
    FAIL() << "no error raised";
  } catch (const AppError& error) {
    EXPECT_EQ(error.message(), L"Unable to create directory");
  }
  EXPECT_TRUE(window.events.empty());
}

TEST_F(Conversion, DestinationThatCannotBeCreatedShowsTheSystemReason) {
  AddClip(L"clip.mp4", L"12.480000");
  test::WriteFile(out / L"taken", "a file, not a folder");
  window.settings.Duration = 1500;
  window.destination = out / L"taken";
  Run();
  std::wstring reason = SystemErrorMessage(ERROR_ALREADY_EXISTS);
  while (!reason.empty() && (reason.back() <= L' ' || reason.back() == L'.')) reason.pop_back();
  ASSERT_FALSE(reason.empty());
  EXPECT_THAT(window.events, ElementsAre("message:ERROR"));
  EXPECT_EQ(OnlyMessage().Text, reason);
  // A failed check rounds nothing.
  EXPECT_EQ(window.settings.Duration, 1500);
}

TEST_F(Conversion, UnwritableDestinationShowsTheFolderAsEnteredAndStaysCreated) {
  AddClip(L"clip.mp4", L"12.480000");
  ::CreateDirectoryW((out / L"locked").c_str(), nullptr);
  test::WriteFile(out / L"locked\\chk.tmp", "");  // the writability probe cannot be created
  window.destination = out / L"locked";
  Run();
  EXPECT_EQ(OnlyMessage().Text, L"Directory is not writable!" + kCR2 + out / L"locked");
  EXPECT_EQ(OnlyMessage().Caption, L"WARNING");

  window.messages.clear();
  window.destination = out / L"new\\deeper\\locked";
  ::CreateDirectoryW((out / L"new").c_str(), nullptr);
  ::CreateDirectoryW((out / L"new\\deeper").c_str(), nullptr);
  ::CreateDirectoryW((out / L"new\\deeper\\locked").c_str(), nullptr);
  test::WriteFile(out / L"new\\deeper\\locked\\chk.tmp", "");
  Run();
  EXPECT_EQ(OnlyMessage().Caption, L"WARNING");
}

TEST_F(Conversion, MissingToolOrFontStopsBeforeAnythingRuns) {
  AddClip(L"clip.mp4", L"12.480000");
  TempFolder program;
  window.destination = out / L"made\\by\\the\\check";
  Run(program.path());
  EXPECT_EQ(OnlyMessage().Text, L"ffmpeg.exe NOT FOUND! Please reinstall!");
  EXPECT_EQ(OnlyMessage().Caption, L"ERROR");
  // The destination made by the earlier check stays.
  EXPECT_TRUE(DirectoryExists(out / L"made\\by\\the\\check"));

  window.messages.clear();
  test::WriteFile(program / L"ffmpeg.exe", "");
  Run(program.path());
  EXPECT_EQ(OnlyMessage().Text, L"font.ttf NOT FOUND! Please reinstall!");
  EXPECT_EQ(OnlyMessage().Icon, MessageIcon::Error);
  EXPECT_EQ(window.log.Text(), L"left from the last run");
}

TEST_F(Conversion, RunsInTheDocumentedOrderAndReportsSuccess) {
  AddClip(L"short.mkv", L"3.000000");
  window.settings.Duration = 1999;  // rounded to 1000 once the checks have passed
  Run();
  EXPECT_THAT(window.events,
              ElementsAre("duration:1000", "cursor:busy", "convert:disabled", "status:Processing...",
                          "process-messages(log 0)", "convert:enabled", "cursor:default", "count",
                          "message:SUCCESS"));
  EXPECT_EQ(OnlyMessage().Text,
            L"Process completed!" + kCR2 + L"Directory: " + out.path() + L"\\");
  EXPECT_EQ(OnlyMessage().Icon, MessageIcon::Information);
  EXPECT_EQ(window.status, L"1 file");
  EXPECT_THAT(ListFolder(out.path()), ElementsAre(L"Video1-Frame1.jpg", L"Video1-Frame2.jpg"));
  // The log holds each command line on its own line, followed by that tool's output.
  const std::wstring& log = window.log.Text();
  EXPECT_THAT(log, StartsWith(L"ffmpeg.exe -ss 00:00:01 -i \"" + Media(L"short.mkv") +
                              L"\" -qscale:v 4   \"" + out.path() + L"\\Video1-Frame1.jpg\"\r\n"));
  const auto second = log.find(L"\r\nffmpeg.exe -ss 00:00:02 ");
  ASSERT_NE(second, std::wstring::npos);
  EXPECT_THAT(log.substr(0, second), HasSubstr(L"Output #0"));
}

TEST_F(Conversion, RoundingAlsoRewritesTheHiddenDurationInAllFramesMode) {
  AddClip(L"short.mkv", L"3.000000");
  window.settings.AllFrames = true;
  window.settings.Duration = 1500;
  window.settings.Format = ImageFormat::PNG;
  Run();
  EXPECT_EQ(window.events.front(), "duration:1000");
  EXPECT_EQ(OnlyMessage().Caption, L"SUCCESS");
  EXPECT_EQ(ListFolder(out.path()).size(), 30u);  // every frame of 3 s at 10 frames per second
}

TEST_F(Conversion, ToolFailureStopsTheRunAndNamesToolVideoAndExitCode) {
  AddClip(L"short.mkv", L"3.000000");
  AddClip(L"damaged.mp4", L"12.480000");
  AddClip(L"clip.mp4", L"12.480000");
  window.status = L"3 files";
  Run();
  const auto& message = OnlyMessage();
  EXPECT_EQ(message.Caption, L"ERROR");
  EXPECT_THAT(message.Text, StartsWith(L"ffmpeg.exe failed on \"" + Media(L"damaged.mp4") +
                                       L"\" (exit code 1)." + kCR2));
  // The last line the tool printed follows; it says what went wrong with the file.
  EXPECT_THAT(message.Text, HasSubstr(L"damaged.mp4"));
  // Images of the first video stay; the third video never ran.
  EXPECT_THAT(ListFolder(out.path()), ElementsAre(L"Video1-Frame1.jpg", L"Video1-Frame2.jpg"));
  EXPECT_EQ(window.log.Text().find(L"Video3"), std::wstring::npos);
  // The busy state ends before the report, and the count replaces "Processing...".
  EXPECT_THAT(window.events, testing::IsSupersetOf({"convert:enabled", "cursor:default"}));
  EXPECT_EQ(window.events.back(), "message:ERROR");
  EXPECT_EQ(window.events[window.events.size() - 2], "count");
  EXPECT_EQ(window.status, L"3 files");
}

TEST_F(Conversion, ExitCodeZeroWithoutTheImageIsAFailureToo) {
  // The list claims 20 s; the video ends at 12.48 s, so ffmpeg writes nothing at 00:00:13.
  AddClip(L"clip.mp4", L"20");
  Run();
  EXPECT_EQ(OnlyMessage().Caption, L"ERROR");
  EXPECT_THAT(OnlyMessage().Text,
              StartsWith(L"ffmpeg.exe wrote no image for \"" + Media(L"clip.mp4") + L"\": \"" +
                         out.path() + L"\\Video1-Frame13.jpg\" is missing (exit code 0)."));
  EXPECT_EQ(ListFolder(out.path()).size(), 12u);
}

TEST_F(Conversion, RelativeDestinationIsResolvedOnceAgainstTheCurrentFolder) {
  AddClip(L"short.mkv", L"3.000000");
  wchar_t previous[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, previous);
  ::SetCurrentDirectoryW(out.path().c_str());
  window.destination = L"stills\\today";
  Run();
  ::SetCurrentDirectoryW(previous);
  EXPECT_EQ(OnlyMessage().Text, L"Process completed!" + kCR2 + L"Directory: " + out.path() +
                                    L"\\stills\\today\\");
  EXPECT_THAT(ListFolder(out / L"stills\\today"),
              ElementsAre(L"Video1-Frame1.jpg", L"Video1-Frame2.jpg"));
}

TEST_F(Conversion, PerImageModeReplacesAnOldImageOfTheSameName) {
  AddClip(L"short.mkv", L"3.000000");
  test::WriteFile(out / L"Video1-Frame1.jpg", "stale");
  Run();
  EXPECT_EQ(OnlyMessage().Caption, L"SUCCESS");
  EXPECT_EQ(test::ImageFileSize(out / L"Video1-Frame1.jpg"), test::Size(96, 64));
}

// End to end: two videos, both modes and all three formats, with the real ffmpeg.exe.
struct EndToEndCase {
  const char* name;
  bool inputSeeking;
  std::int32_t duration;
  ImageFormat format;
  bool pad;
  std::vector<std::wstring> clipImages;   // Video1, 160x120
  std::vector<std::wstring> shortImages;  // Video2, 96x64
};

void PrintTo(const EndToEndCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::wstring> Numbered(const std::wstring& prefix, int count, int width,
                                   const std::wstring& extension) {
  std::vector<std::wstring> names;
  for (int i = 1; i <= count; ++i) {
    std::wstring number = std::to_wstring(i);
    if (number.size() < static_cast<std::size_t>(width)) number.insert(0, width - number.size(), L'0');
    names.push_back(prefix + L"-Frame" + number + L"." + extension);
  }
  return names;
}

class EndToEnd : public Conversion, public ::testing::WithParamInterface<EndToEndCase> {};

TEST_P(EndToEnd, WritesExactlyTheExpectedImagesAtTheVideosSize) {
  const EndToEndCase& c = GetParam();
  AddClip(L"clip.mp4", L"12.480000");
  AddClip(L"short.mkv", L"3.000000");
  window.settings.InputSeeking = c.inputSeeking;
  window.settings.Duration = c.duration;
  window.settings.Format = c.format;
  window.settings.PadOutputFileswithLeadingZeros = c.pad;
  Run();
  ASSERT_EQ(OnlyMessage().Caption, L"SUCCESS")
      << testing::PrintToString(OnlyMessage().Text) << Utf16ToUtf8(window.log.Text());

  std::vector<std::wstring> expected = c.clipImages;
  expected.insert(expected.end(), c.shortImages.begin(), c.shortImages.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListFolder(out.path()), expected);
  for (const auto& name : c.clipImages) {
    EXPECT_EQ(test::ImageFileSize(out / name), test::Size(160, 120)) << testing::PrintToString(name);
  }
  for (const auto& name : c.shortImages) {
    EXPECT_EQ(test::ImageFileSize(out / name), test::Size(96, 64)) << testing::PrintToString(name);
  }
}

INSTANTIATE_TEST_SUITE_P(
    RealTool, EndToEnd,
    ::testing::Values(
        // 12.48 s at one image per second: N = 12, so eleven images; 3 s: two images.
        EndToEndCase{"per-image JPG", true, 1000, ImageFormat::JPG, false,
                     Numbered(L"Video1", 11, 1, L"jpg"), Numbered(L"Video2", 2, 1, L"jpg")},
        EndToEndCase{"per-image BMP padded", true, 2000, ImageFormat::BMP, true,
                     Numbered(L"Video1", 5, 1, L"bmp"), Numbered(L"Video2", 1, 1, L"bmp")},
        // Whole-video mode: ffmpeg numbers the images itself, one per second of video.
        EndToEndCase{"whole-video PNG padded", false, 1000, ImageFormat::PNG, true,
                     Numbered(L"Video1", 14, 5, L"png"), Numbered(L"Video2", 5, 5, L"png")}),
    [](const testing::TestParamInfo<EndToEndCase>& param_info) {
      std::string name = param_info.param.name;
      for (char& ch : name) {
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

// Run with a German locale: the user's decimal separator is a comma, yet ffprobe's full stop
// is read and the tool gets "." and ":".
TEST_F(Conversion, CommaLocaleStillWritesToolSyntax) {
  const char* lang = std::getenv("FRAMORA_WINE_LANG");
  if (lang == nullptr || std::string(lang).rfind("de_", 0) != 0) {
    GTEST_SKIP() << "runs in conversion_tests_comma_locale";
  }
  ASSERT_EQ(UserDecimalSeparator(), L',');
  AddClip(L"short.mkv", L"3.000000");
  AddClip(L"short.mkv", L"3,000000");
  Run();
  EXPECT_EQ(OnlyMessage().Caption, L"SUCCESS");
  EXPECT_THAT(window.log.Text(), HasSubstr(L"ffmpeg.exe -ss 00:00:02 -i"));
  EXPECT_EQ(ListFolder(out.path()).size(), 4u);

  window.messages.clear();
  window.rows.resize(1);
  window.settings.Duration = 500;  // whole-video mode with a fractional rate
  Run();
  EXPECT_EQ(OnlyMessage().Caption, L"SUCCESS");
  EXPECT_THAT(window.log.Text(), HasSubstr(L" -r 1/0.5   "));
}

}  // namespace
}  // namespace framora
