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
// exited. The interpreter finds the tool in WorkingFolder first, then on the search path, and
// a tool it cannot find gets its own complaint into the log. The output is decoded from the
// system's ANSI code page and appended to Log as it arrives, with no separator and line
// breaks unchanged; a character is never split between two appends, a zero byte ends the
// text of the read it came in, and a character left unfinished at the end is decoded as it
// is. When the pipe or the process cannot be created nothing runs and Log stays unchanged.
ConsoleRunResult RunConsoleCommand(const std::wstring& CommandLine,
                                   const std::wstring& WorkingFolder, TextLog& Log);

}  // namespace framora
