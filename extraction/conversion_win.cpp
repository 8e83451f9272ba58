#include "extraction/conversion_win.h"

#include <windows.h>

#include <exception>

#include "base/error.h"
#include "base/files_win.h"
#include "base/locale_win.h"
#include "base/text.h"
#include "base/win_error_win.h"
#include "extraction/console_runner_win.h"

namespace framora {

namespace {

constexpr wchar_t kCR = L'\r';  // message boxes break lines on a lone carriage return

// The system's text for the last error, without trailing blanks, line breaks and full stops.
std::wstring LastErrorText() {
  std::wstring text = SystemErrorMessage(::GetLastError());
  while (!text.empty() && (static_cast<unsigned>(text.back()) <= 32 || text.back() == L'.')) {
    text.pop_back();
  }
  return text;
}

std::wstring Quoted(const std::wstring& text) { return L'"' + text + L'"'; }

// The tool's last words, to show under a failure message.
std::wstring LastWords(const TextLog& log, std::size_t outputStart) {
  const std::wstring line = log.LastLine(outputStart);
  return line.empty() ? std::wstring() : std::wstring(2, kCR) + line;
}

bool ImageWritten(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
         (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
}

// Runs one step and raises when the tool did not do its job: it could not be started, it
// exited with an error, or the image it had to write is not there.
void RunStep(const ExtractionStep& step, const VideoRow& row, const std::wstring& programFolder,
             TextLog& log) {
  const bool perImage = !step.DeleteFirst.empty();
  if (perImage && FileExists(step.DeleteFirst)) {
    ::DeleteFileW(step.DeleteFirst.c_str());  // a failed deletion shows up as a stale image
  }
  log.AddLine(step.CommandLine);
  const std::size_t outputStart = log.Size();
  const ConsoleRunResult result = RunConsoleCommand(step.CommandLine, programFolder, log);
  const std::wstring tool = step.CommandLine.substr(0, step.CommandLine.find(L' '));
  if (!result.Started) {
    throw AppError(tool + L" could not be started for " + Quoted(row.Path) + L".");
  }
  const bool written = ImageWritten(step.FirstImage);
  // A per-image run is judged by its one image: its command sets no frame limit, so ffmpeg
  // writes the image and then stops with an error when the next frame has no file name.
  if (result.ExitCode != 0 && !(perImage && written)) {
    throw AppError(tool + L" failed on " + Quoted(row.Path) + L" (exit code " +
                   DecimalText(result.ExitCode) + L")." + LastWords(log, outputStart));
  }
  if (!written) {
    throw AppError(tool + L" wrote no image for " + Quoted(row.Path) + L": " +
                   Quoted(step.FirstImage) + L" is missing (exit code " +
                   DecimalText(result.ExitCode) + L")." + LastWords(log, outputStart));
  }
}

}  // namespace

void RunConversion(ExtractionWindow& window, const std::wstring& ProgramFolder) {
  const std::wstring destinationAsEntered = window.DestinationText();
  const bool inputSeeking = window.CurrentSettings().InputSeeking;

  const std::vector<VideoRow> rows = window.VideoRows();
  if (rows.empty()) {
    window.ShowMessage(L"Please add source files!", L"WARNING", MessageIcon::Warning);
    return;
  }

  // Not caught here: the general error report shows it.
  if (destinationAsEntered.empty()) throw AppError(L"Unable to create directory");
  // A relative destination is resolved once, against the current folder, so the folder that
  // is created and tested is the one the tool writes to (the tool starts elsewhere).
  const std::wstring folder = FullPath(destinationAsEntered);
  if (!ForceDirectories(folder)) {
    window.ShowMessage(LastErrorText(), L"ERROR", MessageIcon::Error);
    return;
  }
  if (!IsDirectoryWritable(folder)) {
    window.ShowMessage(L"Directory is not writable!" + std::wstring(2, kCR) + destinationAsEntered,
                       L"WARNING", MessageIcon::Warning);
    return;
  }
  if (!FileExists(ProgramFolder + L"\\ffmpeg.exe")) {
    window.ShowMessage(L"ffmpeg.exe NOT FOUND! Please reinstall!", L"ERROR", MessageIcon::Error);
    return;
  }
  if (!FileExists(ProgramFolder + L"\\font.ttf")) {
    window.ShowMessage(L"font.ttf NOT FOUND! Please reinstall!", L"ERROR", MessageIcon::Error);
    return;
  }

  const ExtractionSettings before = window.CurrentSettings();
  const std::int32_t rounded = RoundedImageDuration(before.Duration, before.RoundImageDuration);
  if (rounded != before.Duration) window.SetImageDuration(rounded);

  const std::wstring destination = IncludeTrailingBackslash(folder);

  window.SetAppStartingCursor(true);
  window.SetConvertEnabled(false);
  window.SetStatusText(L"Processing...");
  window.Log().Clear();
  window.ProcessMessages();

  const wchar_t decimalSeparator = UserDecimalSeparator();
  bool failed = false;
  std::wstring failure;
  for (std::size_t i = 0; i < rows.size() && !failed; ++i) {
    try {
      ExtractionSettings settings = window.CurrentSettings();
      settings.InputSeeking = inputSeeking;
      settings.Destination = destination;
      const auto steps = BuildExtractionCommands(static_cast<std::int32_t>(i + 1), rows[i].Path,
                                                 rows[i].Seconds, settings, decimalSeparator);
      for (const ExtractionStep& step : steps) RunStep(step, rows[i], ProgramFolder, window.Log());
    } catch (const std::exception& error) {
      failed = true;
      failure = ExceptionMessage(error);
    }
  }

  window.SetConvertEnabled(true);
  window.SetAppStartingCursor(false);
  window.VideoSayisiDegisti();

  if (failed) {
    window.ShowMessage(failure, L"ERROR", MessageIcon::Error);
  } else {
    window.ShowMessage(L"Process completed!" + std::wstring(2, kCR) + L"Directory: " + destination,
                       L"SUCCESS", MessageIcon::Information);
  }
}

}  // namespace framora
