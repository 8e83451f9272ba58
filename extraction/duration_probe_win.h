// Learns a video's length from ffprobe.exe in the program folder.
#pragma once

#include <string>

#include "extraction/extraction_window.h"

namespace framora {

// The command line that asks ffprobe.exe for the container's duration only.
std::wstring DurationProbeCommand(const std::wstring& dosyaadi);

// Runs the probe through the console runner (clearing the window's log first) and returns
// the log's text trimmed: the length in seconds as ffprobe prints it (12.480000), or whatever
// the tool or the interpreter said instead, or "Error" when the run itself raised. The cursor
// shows the busy state meanwhile and is restored on every path.
std::wstring ProbeVideoDuration(const std::wstring& dosyaadi, ExtractionWindow& window,
                                const std::wstring& ProgramFolder);

}  // namespace framora
