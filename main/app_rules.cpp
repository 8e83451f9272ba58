#include "main/app_rules.h"

#include "base/text.h"

namespace framora {

namespace {
constexpr wchar_t kMakerWebSite[] = L"www.brantlow.com";
}

std::wstring OnlineHelpAddress(const std::wstring& productName) {
  std::wstring slug = AsciiLower(productName);
  for (wchar_t& c : slug) {
    if (c == L' ') c = L'-';
  }
  return std::wstring(L"http://") + kMakerWebSite + L"/help/" + slug + L"/";
}

}  // namespace framora
