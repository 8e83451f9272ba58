#include "extraction/duration_probe_win.h"

#include <exception>

#include "base/text.h"
#include "extraction/console_runner_win.h"

namespace framora {

namespace {

// Shows the busy cursor for its lifetime.
class BusyCursor {
 public:
  explicit BusyCursor(ExtractionWindow& window) : window_(window) {
    window_.SetAppStartingCursor(true);
  }
  ~BusyCursor() { window_.SetAppStartingCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  ExtractionWindow& window_;
};

}  // namespace

std::wstring DurationProbeCommand(const std::wstring& dosyaadi) {
  return L"ffprobe.exe -v error -show_entries format=duration "
         L"-of default=noprint_wrappers=1:nokey=1 \"" +
         dosyaadi + L"\"";
}

std::wstring ProbeVideoDuration(const std::wstring& dosyaadi, ExtractionWindow& window,
                                const std::wstring& ProgramFolder) {
  const BusyCursor busy(window);
  const std::wstring command = DurationProbeCommand(dosyaadi);
  TextLog& log = window.Log();
  log.Clear();
  try {
    // The tool's own success or failure is not judged here: its text is the result.
    RunConsoleCommand(command, ProgramFolder, log);
    return Trim(log.Text());
  } catch (const std::exception&) {
    return L"Error";
  }
}

}  // namespace framora
