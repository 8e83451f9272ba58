#include "extraction/commands.h"

#include <charconv>
#include <cmath>
#include <string>

#include "base/text.h"

namespace framora {

namespace {

std::wstring TwoDigits(std::int64_t value) {
  std::wstring text = DecimalText(value);
  return value < 10 ? L"0" + text : text;
}

// i in decimal, with at least `width` digits when padding is on ("%.*d").
std::wstring ImageNumberText(std::int64_t i, bool pad, std::size_t width) {
  std::wstring text = DecimalText(i);
  if (pad && text.size() < width) text.insert(0, width - text.size(), L'0');
  return text;
}

std::wstring QualityArgument(const ExtractionSettings& settings) {
  if (settings.Format != ImageFormat::JPG) return {};
  // "100%" is position 0 and becomes 2; no entry chosen (-1) becomes 1.
  return L"-qscale:v " + DecimalText(std::int64_t{settings.JpegQuality} + 2);
}

// Interval count: L x 1000 / Duration rounded half to even; 0 for lengths that do not fit.
std::int64_t IntervalCount(double length, std::int32_t duration) {
  const double count = std::nearbyint(length * 1000.0 / duration);
  // Beyond 2^53 seconds of images there is no sensible run; treat as unreadable.
  if (!std::isfinite(count) || std::fabs(count) > 9007199254740992.0) return 0;
  return static_cast<std::int64_t>(count);
}

}  // namespace

std::wstring_view ImageFormatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::PNG:
      return L"PNG";
    case ImageFormat::BMP:
      return L"BMP";
    case ImageFormat::JPG:
      break;
  }
  return L"JPG";
}

std::wstring_view ImageFormatExtension(ImageFormat format) {
  switch (format) {
    case ImageFormat::PNG:
      return L"png";
    case ImageFormat::BMP:
      return L"bmp";
    case ImageFormat::JPG:
      break;
  }
  return L"jpg";
}

std::int32_t RoundedImageDuration(std::int32_t Duration, bool RoundImageDuration) {
  if (RoundImageDuration && Duration > 1000 && Duration % 1000 != 0) return Duration / 1000 * 1000;
  return Duration;
}

std::wstring ImageDurationText(std::int32_t Duration) {
  const std::int64_t duration = Duration;
  std::wstring text = (duration < 0 ? L"-" : L"") + DecimalText(std::llabs(duration) / 1000);
  const std::int64_t remainder = std::llabs(duration) % 1000;
  if (remainder != 0) {
    std::wstring digits = DecimalText(remainder);
    digits.insert(0, 3 - digits.size(), L'0');
    digits.erase(digits.find_last_not_of(L'0') + 1);
    text += L'.' + digits;
  }
  return text;
}

std::wstring TimePositionText(std::int64_t seconds) {
  return TwoDigits(seconds / 3600) + L':' + TwoDigits(seconds / 60 % 60) + L':' +
         TwoDigits(seconds % 60);
}

double ReadDurationText(std::wstring_view DurationText, wchar_t userDecimalSeparator) {
  // Grammar: blanks, [+-], digits with at most one separator (not both missing),
  // [(E|e)[+-]digits], blanks. The accepted text is rewritten in ASCII with a full stop.
  std::wstring_view text = DurationText;
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);

  std::string number;
  std::size_t i = 0;
  auto digits = [&] {
    std::size_t count = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
      number.push_back(static_cast<char>(text[i++]));
      ++count;
    }
    return count;
  };
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    number.push_back(static_cast<char>(text[i++]));
  }
  std::size_t mantissaDigits = digits();
  if (i < text.size() && (text[i] == L'.' || text[i] == userDecimalSeparator)) {
    number.push_back('.');
    ++i;
    mantissaDigits += digits();
  }
  // No digits at all: not a number, or a lone separator, which reads as zero anyway.
  if (mantissaDigits == 0) return 0;
  if (i < text.size() && (text[i] == L'E' || text[i] == L'e')) {
    number.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
      number.push_back(static_cast<char>(text[i++]));
    }
    if (digits() == 0) return 0;
  }
  if (i != text.size()) return 0;

  const char* first = number.data();
  if (*first == '+') ++first;  // from_chars takes no plus sign
  double value = 0;
  const auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
    return 0;
  }
  return value;
}

std::vector<ExtractionStep> BuildExtractionCommands(std::int32_t VideoNumber,
                                                    const std::wstring& VideoPath,
                                                    const std::wstring& DurationText,
                                                    const ExtractionSettings& settings,
                                                    wchar_t userDecimalSeparator) {
  const std::wstring quality = QualityArgument(settings);
  const std::wstring extension(ImageFormatExtension(settings.Format));
  const std::wstring videoName = settings.Destination + L"Video" + DecimalText(VideoNumber);
  const bool pad = settings.PadOutputFileswithLeadingZeros;

  const double length = ReadDurationText(DurationText, userDecimalSeparator);
  const bool wholeSeconds = settings.Duration % 1000 == 0;
  const std::int64_t count = settings.AllFrames ? 0 : IntervalCount(length, settings.Duration);

  std::vector<ExtractionStep> steps;
  if (settings.InputSeeking && length != 0 && count != 0 && wholeSeconds) {
    const std::int64_t step = settings.Duration / 1000;
    const std::size_t width = DecimalText(count).size();
    std::int64_t i = 1;
    std::int64_t t = step;
    do {
      const std::wstring output = videoName + L"-Frame" + ImageNumberText(i, pad, width) + L'.' +
                                  extension;
      steps.push_back({L"ffmpeg.exe -ss " + TimePositionText(t) + L" -i \"" + VideoPath + L"\" " +
                           quality + L"   \"" + output + L"\"",
                       output, output});
      ++i;
      t += step;
    } while (i < count);
    return steps;
  }

  const std::wstring rate =
      settings.AllFrames ? std::wstring() : L"-r 1/" + ImageDurationText(settings.Duration);
  const std::wstring pattern = pad ? L"-Frame%05d." : L"-Frame%d.";
  const std::wstring first = videoName + (pad ? L"-Frame00001." : L"-Frame1.") + extension;
  steps.push_back({L"ffmpeg.exe -i \"" + VideoPath + L"\" " + quality + L" " + rate + L"   \"" +
                       videoName + pattern + extension + L"\"",
                   std::wstring(), first});
  return steps;
}

}  // namespace framora
