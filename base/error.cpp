#include "base/error.h"

#include "base/text.h"

namespace framora {

AppError::AppError(std::wstring message)
    : message_(std::move(message)), utf8_(Utf16ToUtf8(message_)) {}

std::wstring ExceptionMessage(const std::exception& error) {
  if (const auto* app = dynamic_cast<const AppError*>(&error)) return app->message();
  return Utf8ToUtf16(error.what()).value_or(L"Unknown error");
}

}  // namespace framora
