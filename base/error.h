// The program's error: an exception that carries the text the user is shown.
#pragma once

#include <exception>
#include <string>

namespace framora {

class AppError : public std::exception {
 public:
  explicit AppError(std::wstring message);

  // The text as the program shows it (UTF-16).
  const std::wstring& message() const noexcept { return message_; }
  // The same text in UTF-8, for test output and debuggers.
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::wstring message_;
  std::string utf8_;
};

// The text to show for any exception: an AppError's message, else what() read as UTF-8.
std::wstring ExceptionMessage(const std::exception& error);

}  // namespace framora
