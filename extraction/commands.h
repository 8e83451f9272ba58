// The tool command lines of a conversion: for one video and the conversion settings, the
// exact ffmpeg.exe runs and the image files they write. Pure logic, no input or output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace framora {

// The entries of the format box, in their order.
enum class ImageFormat { JPG = 0, PNG = 1, BMP = 2 };

// Entry text ("JPG", "PNG", "BMP") and file extension ("jpg", "png", "bmp").
std::wstring_view ImageFormatName(ImageFormat format);
std::wstring_view ImageFormatExtension(ImageFormat format);

// The conversion settings, taken from the main window when a run starts.
struct ExtractionSettings {
  bool AllFrames = false;             // every frame instead of one image per Duration
  std::int32_t Duration = 1000;       // image duration in milliseconds, 1 to 999999999
  bool InputSeeking = true;           // one run per image where possible
  bool RoundImageDuration = true;     // round Duration down to whole seconds before the run
  bool PadOutputFileswithLeadingZeros = false;
  ImageFormat Format = ImageFormat::JPG;
  std::int32_t JpegQuality = 2;       // position in the quality list ("100%" = 0), -1: none
  std::wstring Destination;           // ends in a path delimiter
};

// One tool run.
struct ExtractionStep {
  std::wstring CommandLine;  // starts with the tool's file name, no folder
  std::wstring DeleteFirst;  // image file to delete just before the run; empty: none
  std::wstring FirstImage;   // the file the run must have written when it succeeded
};

// The image duration to use for a run: with rounding on, a value above 1000 that is not a
// multiple of 1000 loses its remainder (1500 -> 1000, 2500 -> 2000). Values below 1000 stay.
std::int32_t RoundedImageDuration(std::int32_t Duration, bool RoundImageDuration);

// Duration / 1000 as plain decimal text with a full stop: 1000 -> "1", 1500 -> "1.5",
// 40 -> "0.04", 999999999 -> "999999.999".
std::wstring ImageDurationText(std::int32_t Duration);

// A time position as "hh:mm:ss"; hours are not wrapped at 24 (90000 -> "25:00:00").
std::wstring TimePositionText(std::int64_t seconds);

// The video length in seconds from the duration probe's text: ffprobe writes a full stop,
// and the user's own decimal separator is accepted too. Anything that is not a number
// (an error text, N/A, empty text, line breaks) gives 0.
double ReadDurationText(std::wstring_view DurationText, wchar_t userDecimalSeparator);

// The runs for one video, in order. Tool command lines never depend on regional settings;
// the user's decimal separator only widens what ReadDurationText accepts.
std::vector<ExtractionStep> BuildExtractionCommands(std::int32_t VideoNumber,
                                                    const std::wstring& VideoPath,
                                                    const std::wstring& DurationText,
                                                    const ExtractionSettings& settings,
                                                    wchar_t userDecimalSeparator = L'.');

}  // namespace framora
