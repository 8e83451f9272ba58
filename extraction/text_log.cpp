#include "extraction/text_log.h"

#include "base/text.h"

namespace framora {

void TextLog::AddLine(std::wstring_view line) {
  if (!text_.empty() && text_.back() != L'\n' && text_.back() != L'\r') text_.append(L"\r\n");
  text_.append(line);
  text_.append(L"\r\n");
}

std::wstring TextLog::LastLine(std::size_t from) const {
  // Walks back from the end line by line, so the cost follows the tail, not the log.
  std::wstring_view rest(text_);
  rest.remove_prefix(from < rest.size() ? from : rest.size());
  while (!rest.empty()) {
    const auto brk = rest.find_last_of(L"\r\n");
    const std::wstring_view line = brk == std::wstring_view::npos ? rest : rest.substr(brk + 1);
    const std::wstring_view trimmed = TrimView(line);
    if (!trimmed.empty()) return std::wstring(trimmed);
    if (brk == std::wstring_view::npos) break;
    rest = rest.substr(0, brk);
  }
  return {};
}

}  // namespace framora
