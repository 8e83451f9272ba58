// The "Convert" action: checks the list, the destination and the installation, runs every
// listed video's tool commands one after another and reports the outcome in one message box.
#pragma once

#include <string>

#include "extraction/extraction_window.h"

namespace framora {

// Runs on the window's thread and returns when the last tool has exited. An empty
// destination raises AppError("Unable to create directory") for the general error report;
// every other failure is shown by the run itself.
void RunConversion(ExtractionWindow& window, const std::wstring& ProgramFolder);

}  // namespace framora
