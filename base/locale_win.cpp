#include "base/locale_win.h"

#include <windows.h>

namespace framora {

wchar_t UserDecimalSeparator() {
  wchar_t text[8] = {};
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) < 2) return L'.';
  return text[0];
}

}  // namespace framora
