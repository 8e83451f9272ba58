#include "extraction/console_runner_win.h"

#include <string_view>

#include "base/unique_handle_win.h"
#include "extraction/console_decoding.h"

namespace framora {
namespace {

// Each read asks for at most this many bytes. The bytes are passed on with their count, so
// no zero byte needs storing after them.
constexpr DWORD kReadSize = 255;

// How the ANSI code page builds characters. Should the system not say, every byte counts
// as a character, which decodes each read on its own.
CodePageLayout AnsiCodePageLayout() {
  CPINFOEXW info{};
  CodePageLayout layout;
  if (!::GetCPInfoExW(CP_ACP, 0, &info))
    return layout;
  if (info.CodePage == CP_UTF8) {
    layout.Type = CodePageLayout::Kind::Utf8;
  } else if (info.MaxCharSize == 2) {
    layout.Type = CodePageLayout::Kind::DoubleByte;
    // Pairs of (first, last) lead byte, ended by a pair of zeros.
    for (UINT i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
      layout.LeadByteRanges.emplace_back(info.LeadByte[i], info.LeadByte[i + 1]);
    }
  }
  return layout;
}

// Decodes bytes of the ANSI code page and appends the text to the log. `scratch` is reused
// from read to read so that an append costs only the text it adds.
void AppendAnsiText(std::string_view bytes, std::wstring& scratch, TextLog& log) {
  if (bytes.empty())
    return;
  const int byteCount = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteCount, nullptr, 0);
  if (length <= 0)
    return;
  scratch.resize(static_cast<std::size_t>(length));
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteCount, scratch.data(), length);
  log.Append(scratch);
}

}  // namespace

ConsoleRunResult RunConsoleCommand(const std::wstring& CommandLine,
                                   const std::wstring& WorkingFolder, TextLog& Log) {
  // Both ends inheritable, as the interpreter and the tool it starts write into the pipe.
  SECURITY_ATTRIBUTES inheritable{};
  inheritable.nLength = sizeof(inheritable);
  inheritable.bInheritHandle = TRUE;
  unique_handle readEnd;
  unique_handle writeEnd;
  if (!::CreatePipe(readEnd.put(), writeEnd.put(), &inheritable, 0))
    return {};

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd.get();
  startup.hStdError = writeEnd.get();

  // CreateProcessW may write into the command line, so it gets a buffer of its own.
  std::wstring commandLine = L"cmd.exe /C " + CommandLine;
  PROCESS_INFORMATION started{};
  const BOOL ok = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   WorkingFolder.c_str(), &startup, &started);
  // Our copy of the write end must go before reading: the pipe reports its end only once
  // every holder of the write end has closed it.
  writeEnd.reset();
  if (!ok)
    return {};
  unique_handle process(started.hProcess);
  unique_handle thread(started.hThread);

  ConsoleOutputAssembler assembler(AnsiCodePageLayout());
  std::wstring scratch;
  char buffer[kReadSize];
  DWORD got = 0;
  // Ends when the last writer has exited (the read fails) or a read brings nothing.
  while (::ReadFile(readEnd.get(), buffer, kReadSize, &got, nullptr) && got > 0) {
    AppendAnsiText(assembler.Take(std::string_view(buffer, got)), scratch, Log);
  }
  AppendAnsiText(assembler.Finish(), scratch, Log);

  ::WaitForSingleObject(process.get(), INFINITE);
  ConsoleRunResult result;
  result.Started = true;
  if (!::GetExitCodeProcess(process.get(), &result.ExitCode))
    result.ExitCode = 0;
  return result;
}

}  // namespace framora
