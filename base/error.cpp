#include "base/error.h"

#include "base/text.h"

namespace framora {

AppError::AppError(std::wstring message)
    : message_(std::move(message)), utf8_(Utf16ToUtf8(message_)) {}

}  // namespace framora
