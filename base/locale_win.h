// The user's regional settings, where the program shows regional text.
#pragma once

namespace framora {

// The user's decimal separator (LOCALE_SDECIMAL); a full stop when the system gives none.
wchar_t UserDecimalSeparator();

}  // namespace framora
