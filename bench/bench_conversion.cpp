// A whole conversion of the generated 12.48 s video at one image per second: per-image mode
// (eleven ffmpeg.exe runs, each seeking first) against whole-video mode (one run), each next
// to the same ffmpeg.exe command lines started directly, without the interpreter and the log.
#include <windows.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/files_win.h"
#include "base/unique_handle_win.h"
#include "bench/bench.h"
#include "extraction/conversion_win.h"
#include "support/temp_folder_win.h"
#include "support/test_paths.h"

namespace framora::bench {
namespace {

// The window as far as a conversion needs one; it remembers only the outcome.
class BenchWindow : public ExtractionWindow {
 public:
  BenchWindow(std::wstring video, std::wstring destination, bool inputSeeking)
      : rows_{{std::move(video), L"12.480000"}}, destination_(std::move(destination)) {
    settings_.InputSeeking = inputSeeking;
  }
  std::vector<VideoRow> VideoRows() const override { return rows_; }
  ExtractionSettings CurrentSettings() const override { return settings_; }
  std::wstring DestinationText() const override { return destination_; }
  void SetImageDuration(std::int32_t Duration) override { settings_.Duration = Duration; }
  void ShowMessage(const std::wstring& Text, const std::wstring& Caption, MessageIcon) override {
    if (Caption != L"SUCCESS") outcome_ = Text;
  }
  void SetAppStartingCursor(bool) override {}
  void SetConvertEnabled(bool) override {}
  void SetStatusText(const std::wstring&) override {}
  void ProcessMessages() override {}
  void VideoSayisiDegisti() override {}
  TextLog& Log() override { return log_; }
  const std::wstring& Failure() const { return outcome_; }

 private:
  std::vector<VideoRow> rows_;
  ExtractionSettings settings_;
  std::wstring destination_;
  TextLog log_;
  std::wstring outcome_;
};

// Starts one tool command line without cmd.exe, its output thrown away, and waits.
void RunDirectly(std::wstring commandLine) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  unique_handle nul(::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit,
                                  OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = nul.get();
  startup.hStdError = nul.get();
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, ProgramFolder().c_str(), &startup, &started)) {
    throw std::runtime_error("ffmpeg.exe did not start");
  }
  const unique_handle process(started.hProcess);
  const unique_handle thread(started.hThread);
  ::WaitForSingleObject(process.get(), INFINITE);
}

struct ModeFigures {
  double conversion;  // seconds through the program's conversion
  double direct;      // seconds of the same ffmpeg.exe commands started directly
};

ModeFigures Measure(const std::wstring& video, bool perImage) {
  ModeFigures figures{};
  {
    test::TempFolder out;
    BenchWindow window(video, out.path(), perImage);
    figures.conversion = Seconds([&] { RunConversion(window, ProgramFolder()); });
    if (!window.Failure().empty()) throw std::runtime_error("the conversion failed");
  }
  {
    test::TempFolder out;
    ExtractionSettings settings;
    settings.InputSeeking = perImage;
    settings.Destination = out.path() + L"\\";
    const auto steps = BuildExtractionCommands(1, video, L"12.480000", settings);
    figures.direct = Seconds([&] {
      for (const ExtractionStep& step : steps) RunDirectly(step.CommandLine);
    });
  }
  return figures;
}

}  // namespace

void ConversionBenchmarks() {
  const std::wstring media = test::TestMediaFolder();
  if (media.empty()) throw std::runtime_error("FRAMORA_TEST_MEDIA is not set (scripts/bench.sh)");
  const std::wstring video = media + L"\\clip.mp4";
  const ModeFigures perImage = Measure(video, true);
  const ModeFigures wholeVideo = Measure(video, false);
  Report("conversion.per_image_s", perImage.conversion, "s");
  Report("conversion.per_image_direct_s", perImage.direct, "s");
  Report("conversion.per_image_ratio_to_direct", perImage.conversion / perImage.direct);
  Report("conversion.whole_video_s", wholeVideo.conversion, "s");
  Report("conversion.whole_video_direct_s", wholeVideo.direct, "s");
  Report("conversion.whole_video_ratio_to_direct", wholeVideo.conversion / wholeVideo.direct);
  Report("conversion.per_image_vs_whole_video", perImage.conversion / wholeVideo.conversion);
}

}  // namespace framora::bench
