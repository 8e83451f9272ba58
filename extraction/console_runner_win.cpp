#include "extraction/console_runner_win.h"

namespace framora {

ConsoleRunResult RunConsoleCommand(const std::wstring&, const std::wstring&, TextLog&) {
  return {};
}

}  // namespace framora
