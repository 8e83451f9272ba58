// The log: the text that tool runs write into and the duration probe reads back. It is never
// shown, so it is a plain growing buffer; an append costs the same however long it already is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace framora {

class TextLog {
 public:
  const std::wstring& Text() const noexcept { return text_; }
  std::size_t Size() const noexcept { return text_.size(); }

  void Clear() noexcept { text_.clear(); }

  // Appends text as it is: no separator, line breaks unchanged.
  void Append(std::wstring_view text) { text_.append(text); }

  // Adds a line of its own: starts a new line when the log does not end in one, then ends
  // the added line with CR LF.
  void AddLine(std::wstring_view line);

  // The last line holding anything but blanks, in the text from `from` on; trimmed.
  std::wstring LastLine(std::size_t from = 0) const;

 private:
  std::wstring text_;
};

}  // namespace framora
