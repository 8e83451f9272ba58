// The console command runner: what going through cmd.exe and the pipe costs next to starting
// the tool directly, and how fast tool output reaches the log. emit_console.exe (built from
// tests/support) lies beside this program.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "base/files_win.h"
#include "base/unique_handle_win.h"
#include "bench/bench.h"
#include "extraction/console_runner_win.h"
#include "extraction/text_log.h"

namespace framora::bench {
namespace {

constexpr int kRuns = 50;
constexpr double kMebibyte = 1048576.0;

std::wstring EmitConsolePath() {
  const std::wstring path = ProgramFolder() + L"\\emit_console.exe";
  if (!FileExists(path))
    throw std::runtime_error("emit_console.exe is not beside the benchmark");
  return path;
}

// The baseline: the same program started without the interpreter and the pipe.
void RunDirectly(const std::wstring& path) {
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        ProgramFolder().c_str(), &startup, &started)) {
    throw std::runtime_error("emit_console.exe did not start");
  }
  unique_handle process(started.hProcess);
  unique_handle thread(started.hThread);
  ::WaitForSingleObject(process.get(), INFINITE);
}

void RunThroughRunner(const std::wstring& commandLine, TextLog& log) {
  if (!RunConsoleCommand(commandLine, ProgramFolder(), log).Started) {
    throw std::runtime_error("the runner did not start emit_console.exe");
  }
}

// MiB per second of tool output arriving in the log.
double LogThroughput(int mebibytes) {
  TextLog log;
  const std::wstring commandLine = L"emit_console.exe mb:" + std::to_wstring(mebibytes);
  const double seconds = Seconds([&] { RunThroughRunner(commandLine, log); });
  if (log.Size() != static_cast<std::size_t>(mebibytes) * 1048576u) {
    throw std::runtime_error("the log did not receive all of the output");
  }
  return mebibytes / seconds;
}

}  // namespace

void RunnerBenchmarks() {
  const std::wstring emitConsole = EmitConsolePath();

  const double direct = Seconds([&] {
    for (int i = 0; i < kRuns; ++i)
      RunDirectly(emitConsole);
  });
  TextLog log;
  const double runner = Seconds([&] {
    for (int i = 0; i < kRuns; ++i)
      RunThroughRunner(L"emit_console.exe", log);
  });
  Report("runner.direct_50_runs", direct, "s");
  Report("runner.runner_50_runs", runner, "s");
  Report("runner.overhead_ratio", runner / direct);

  const double small = LogThroughput(5);
  const double large = LogThroughput(50);
  Report("runner.log_rate_5mb", small, "MiB/s");
  Report("runner.log_rate_50mb", large, "MiB/s");
  // Near 1 when an append costs the same however long the log is.
  Report("runner.log_rate_ratio_50_vs_5", large / small);
}

}  // namespace framora::bench
