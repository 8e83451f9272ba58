// Runs one command line through cmd.exe with no visible console and appends everything it
// writes (standard output and standard error, in the order written) to the log.
#pragma once

#include <windows.h>

#include <string>

#include "extraction/text_log.h"

namespace framora {

struct ConsoleRunResult {
  bool Started = false;  // false: the interpreter could not be started; the log is unchanged
  DWORD ExitCode = 0;    // the interpreter's exit code; cmd /C passes on the tool's
};

// Runs "cmd.exe /C " + CommandLine in WorkingFolder and returns when the interpreter has
// exited. The output is decoded from the system's ANSI code page and appended to Log as it
// arrives; a character is never split between two appends.
ConsoleRunResult RunConsoleCommand(const std::wstring& CommandLine,
                                   const std::wstring& WorkingFolder, TextLog& Log);

}  // namespace framora
