#include "extraction/commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace framora {
namespace {

using ::testing::ElementsAre;

// The worked example: C:\Videos\clip.mp4, 12.480000 s, D:\Stills\, JPG at "90%".
ExtractionSettings Example() {
  ExtractionSettings s;
  s.Duration = 1000;
  s.InputSeeking = true;
  s.RoundImageDuration = false;
  s.Format = ImageFormat::JPG;
  s.JpegQuality = 2;
  s.Destination = L"D:\\Stills\\";
  return s;
}

std::vector<ExtractionStep> Build(const ExtractionSettings& s,
                                  const std::wstring& seconds = L"12.480000",
                                  wchar_t separator = L'.') {
  return BuildExtractionCommands(1, L"C:\\Videos\\clip.mp4", seconds, s, separator);
}

std::vector<std::wstring> Lines(const std::vector<ExtractionStep>& steps) {
  std::vector<std::wstring> lines;
  for (const auto& step : steps) lines.push_back(step.CommandLine);
  return lines;
}

TEST(BuildExtractionCommands, PerImageModeWritesElevenImagesOfTheWorkedExample) {
  const auto steps = Build(Example());
  ASSERT_EQ(steps.size(), 11u);
  EXPECT_EQ(steps.front().CommandLine,
            L"ffmpeg.exe -ss 00:00:01 -i \"C:\\Videos\\clip.mp4\" -qscale:v 4   "
            L"\"D:\\Stills\\Video1-Frame1.jpg\"");
  EXPECT_EQ(steps.back().CommandLine,
            L"ffmpeg.exe -ss 00:00:11 -i \"C:\\Videos\\clip.mp4\" -qscale:v 4   "
            L"\"D:\\Stills\\Video1-Frame11.jpg\"");
  for (const auto& step : steps) {
    // Each run deletes its own image first, and that image is what it must write.
    EXPECT_EQ(step.DeleteFirst, step.FirstImage);
    EXPECT_NE(step.CommandLine.find(L'"' + step.DeleteFirst + L'"'), std::wstring::npos);
  }
  EXPECT_EQ(steps[4].DeleteFirst, L"D:\\Stills\\Video1-Frame5.jpg");
}

TEST(BuildExtractionCommands, WorkedExampleLinesComeOutByteForByte) {
  auto padded = Example();
  padded.PadOutputFileswithLeadingZeros = true;
  auto fractional = Example();
  fractional.Duration = 1500;
  auto roundedNoSeeking = Example();
  roundedNoSeeking.Duration = RoundedImageDuration(1500, true);
  roundedNoSeeking.InputSeeking = false;
  auto allFrames = Example();
  allFrames.AllFrames = true;
  auto allFramesPng = allFrames;
  allFramesPng.Format = ImageFormat::PNG;
  auto bmp = Example();
  bmp.Format = ImageFormat::BMP;

  EXPECT_EQ(Build(padded).front().CommandLine,
            L"ffmpeg.exe -ss 00:00:01 -i \"C:\\Videos\\clip.mp4\" -qscale:v 4   "
            L"\"D:\\Stills\\Video1-Frame01.jpg\"");
  EXPECT_THAT(Lines(Build(fractional)),
              ElementsAre(L"ffmpeg.exe -i \"C:\\Videos\\clip.mp4\" -qscale:v 4 -r 1/1.5   "
                          L"\"D:\\Stills\\Video1-Frame%d.jpg\""));
  EXPECT_THAT(Lines(Build(roundedNoSeeking)),
              ElementsAre(L"ffmpeg.exe -i \"C:\\Videos\\clip.mp4\" -qscale:v 4 -r 1/1   "
                          L"\"D:\\Stills\\Video1-Frame%d.jpg\""));
  EXPECT_THAT(Lines(Build(allFrames)),
              ElementsAre(L"ffmpeg.exe -i \"C:\\Videos\\clip.mp4\" -qscale:v 4    "
                          L"\"D:\\Stills\\Video1-Frame%d.jpg\""));
  EXPECT_THAT(Lines(Build(allFramesPng)),
              ElementsAre(L"ffmpeg.exe -i \"C:\\Videos\\clip.mp4\"     "
                          L"\"D:\\Stills\\Video1-Frame%d.png\""));
  EXPECT_EQ(Build(bmp).front().CommandLine,
            L"ffmpeg.exe -ss 00:00:01 -i \"C:\\Videos\\clip.mp4\"    "
            L"\"D:\\Stills\\Video1-Frame1.bmp\"");
}

TEST(BuildExtractionCommands, WholeVideoModeDeletesNothingAndNamesItsFirstImage) {
  auto s = Example();
  s.AllFrames = true;
  auto steps = Build(s);
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].DeleteFirst, L"");
  EXPECT_EQ(steps[0].FirstImage, L"D:\\Stills\\Video1-Frame1.jpg");
  s.PadOutputFileswithLeadingZeros = true;
  steps = Build(s);
  EXPECT_EQ(steps[0].FirstImage, L"D:\\Stills\\Video1-Frame00001.jpg");
  EXPECT_NE(steps[0].CommandLine.find(L"\"D:\\Stills\\Video1-Frame%05d.jpg\""),
            std::wstring::npos);
}

// How the video length and the image duration choose the mode and the images.
struct ModeCase {
  const wchar_t* seconds;
  std::int32_t duration;
  bool inputSeeking;
  bool allFrames;
  std::vector<std::wstring> firstAndLastTimes;  // empty: whole-video mode
  std::size_t images;
};

void PrintTo(const ModeCase& c, std::ostream* os) {
  *os << testing::PrintToString(std::wstring(c.seconds)) << " s at " << c.duration << " ms";
}

class ModeChoice : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeChoice, PicksTheModeAndTheImagePositions) {
  const ModeCase& c = GetParam();
  auto s = Example();
  s.Duration = c.duration;
  s.InputSeeking = c.inputSeeking;
  s.AllFrames = c.allFrames;
  const auto steps = Build(s, c.seconds);
  if (c.firstAndLastTimes.empty()) {
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].CommandLine.rfind(L"ffmpeg.exe -i ", 0), 0u) << steps[0].CommandLine;
    return;
  }
  ASSERT_EQ(steps.size(), c.images);
  EXPECT_EQ(steps.front().CommandLine.substr(15, 8), c.firstAndLastTimes.front());
  EXPECT_EQ(steps.back().CommandLine.substr(15, 8), c.firstAndLastTimes.back());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModeChoice,
    ::testing::Values(
        // Unreadable lengths give whole-video mode even with Input Seeking on.
        ModeCase{L"Error", 1000, true, false, {}, 0}, ModeCase{L"N/A", 1000, true, false, {}, 0},
        ModeCase{L"", 1000, true, false, {}, 0},
        ModeCase{L"12.48\r\n3.0", 1000, true, false, {}, 0},
        // Interval count N rounds half to even; per-image mode writes N - 1 images, at least one.
        ModeCase{L"0.4", 1000, true, false, {}, 0}, ModeCase{L"0.5", 1000, true, false, {}, 0},
        ModeCase{L"0.6", 1000, true, false, {L"00:00:01", L"00:00:01"}, 1},
        ModeCase{L"1.6", 1000, true, false, {L"00:00:01", L"00:00:01"}, 1},
        ModeCase{L"2.4", 1000, true, false, {L"00:00:01", L"00:00:01"}, 1},
        ModeCase{L"2.6", 1000, true, false, {L"00:00:01", L"00:00:02"}, 2},
        ModeCase{L"12.5", 1000, true, false, {L"00:00:01", L"00:00:11"}, 11},
        ModeCase{L"13.5", 1000, true, false, {L"00:00:01", L"00:00:13"}, 13},
        ModeCase{L"12.48", 2000, true, false, {L"00:00:02", L"00:00:10"}, 5},
        // Input Seeking off, a fractional image duration or All Frames: whole-video mode.
        ModeCase{L"12.48", 1000, false, false, {}, 0},
        ModeCase{L"12.48", 1500, true, false, {}, 0}, ModeCase{L"12.48", 1000, true, true, {}, 0},
        // Positions keep their full hour count past one day.
        ModeCase{L"180000", 90000000, true, false, {L"25:00:00", L"25:00:00"}, 1},
        ModeCase{L"7260", 3600000, true, false, {L"01:00:00", L"01:00:00"}, 1}));

TEST(BuildExtractionCommands, PadWidthFollowsTheIntervalCount) {
  auto s = Example();
  s.PadOutputFileswithLeadingZeros = true;
  auto steps = Build(s, L"10");
  ASSERT_EQ(steps.size(), 9u);
  EXPECT_EQ(steps.front().DeleteFirst, L"D:\\Stills\\Video1-Frame01.jpg");
  EXPECT_EQ(steps.back().DeleteFirst, L"D:\\Stills\\Video1-Frame09.jpg");
  steps = Build(s, L"9");
  EXPECT_EQ(steps.front().DeleteFirst, L"D:\\Stills\\Video1-Frame1.jpg");
  EXPECT_EQ(steps.back().DeleteFirst, L"D:\\Stills\\Video1-Frame8.jpg");
}

TEST(BuildExtractionCommands, QualityArgumentOnlyForJpg) {
  struct Case {
    ImageFormat format;
    std::int32_t quality;
    const wchar_t* expected;  // nullptr: no quality argument
  };
  for (const Case& c : {Case{ImageFormat::JPG, 0, L"-qscale:v 2 "},
                        Case{ImageFormat::JPG, 19, L"-qscale:v 21 "},
                        Case{ImageFormat::JPG, -1, L"-qscale:v 1 "},
                        Case{ImageFormat::PNG, 0, nullptr}, Case{ImageFormat::BMP, 5, nullptr}}) {
    auto s = Example();
    s.Format = c.format;
    s.JpegQuality = c.quality;
    const std::wstring line = Build(s).front().CommandLine;
    if (c.expected) {
      EXPECT_NE(line.find(c.expected), std::wstring::npos) << testing::PrintToString(line);
    } else {
      EXPECT_EQ(line.find(L"-qscale"), std::wstring::npos);
    }
  }
}

TEST(BuildExtractionCommands, VideoNumberAndPathEnterUnchanged) {
  auto s = Example();
  s.AllFrames = true;
  const auto steps =
      BuildExtractionCommands(2, L"C:\\My Videos\\a&b %TEMP%.mp4", L"12.48", s, L'.');
  EXPECT_EQ(steps[0].CommandLine,
            L"ffmpeg.exe -i \"C:\\My Videos\\a&b %TEMP%.mp4\" -qscale:v 4    "
            L"\"D:\\Stills\\Video2-Frame%d.jpg\"");
}

// Tool command lines are not regional text: a comma locale changes nothing in them, and
// ffprobe's full stop is read whatever the user's decimal separator.
TEST(BuildExtractionCommands, CommaLocaleKeepsToolSyntax) {
  auto s = Example();
  EXPECT_EQ(Build(s, L"12.480000", L',').size(), 11u);
  EXPECT_EQ(Build(s, L"12,480000", L',').size(), 11u);
  EXPECT_EQ(Build(s, L"12,480000", L'.').size(), 1u);  // not a number where "," is no separator
  s.Duration = 1500;
  EXPECT_NE(Build(s, L"12.48", L',')[0].CommandLine.find(L" -r 1/1.5 "), std::wstring::npos);
}

TEST(ReadDurationText, AcceptsOnlyPlainNumbers) {
  struct Case {
    const wchar_t* text;
    double expected;
  };
  for (const Case& c :
       {Case{L"12.480000", 12.48}, Case{L"  12.5  ", 12.5}, Case{L"+3", 3}, Case{L"-2.5", -2.5},
        Case{L".5", 0.5}, Case{L"5.", 5}, Case{L"1.25e1", 12.5}, Case{L"125E-1", 12.5},
        Case{L"12,48", 12.48}, Case{L".", 0}, Case{L"e5", 0}, Case{L"1e", 0}, Case{L"1.2.3", 0},
        Case{L"1,2.3", 0}, Case{L"12.48\r\n", 0}, Case{L"\t12", 0}, Case{L"Error", 0},
        Case{L"N/A", 0}, Case{L"0x10", 0}, Case{L"1e999", 0}, Case{L"", 0}}) {
    EXPECT_DOUBLE_EQ(ReadDurationText(c.text, L','), c.expected) << testing::PrintToString(
        std::wstring(c.text));
  }
}

TEST(RoundedImageDuration, RoundsDownOnlyAboveOneSecond) {
  struct Case {
    std::int32_t in;
    bool round;
    std::int32_t out;
  };
  for (const Case& c : {Case{1500, true, 1000}, Case{1999, true, 1000}, Case{2500, true, 2000},
                        Case{1000, true, 1000}, Case{999, true, 999}, Case{40, true, 40},
                        Case{1500, false, 1500}, Case{999999999, true, 999999000}}) {
    EXPECT_EQ(RoundedImageDuration(c.in, c.round), c.out) << c.in;
  }
  auto s = Example();
  s.Duration = RoundedImageDuration(999, true);
  EXPECT_NE(Build(s)[0].CommandLine.find(L" -r 1/0.999 "), std::wstring::npos);
}

TEST(ImageDurationText, IsPlainDecimalSeconds) {
  struct Case {
    std::int32_t duration;
    const wchar_t* text;
  };
  for (const Case& c : {Case{1000, L"1"}, Case{1500, L"1.5"}, Case{250, L"0.25"},
                        Case{40, L"0.04"}, Case{1, L"0.001"}, Case{999999999, L"999999.999"},
                        Case{120000, L"120"}}) {
    EXPECT_EQ(ImageDurationText(c.duration), c.text);
  }
}

TEST(TimePositionText, KeepsHoursBeyondOneDay) {
  EXPECT_EQ(TimePositionText(1), L"00:00:01");
  EXPECT_EQ(TimePositionText(3661), L"01:01:01");
  EXPECT_EQ(TimePositionText(86399), L"23:59:59");
  EXPECT_EQ(TimePositionText(90000), L"25:00:00");
  EXPECT_EQ(TimePositionText(360000), L"100:00:00");
}

}  // namespace
}  // namespace framora
