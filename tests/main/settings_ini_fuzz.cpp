// libFuzzer target for the INI reader (built by the optional target settings_ini_fuzz):
//   build/<dir>/bin/settings_ini_fuzz -dict=tests/main/settings_ini.dict -max_total_time=60
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "settings_ini_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure = framora::test::CheckReaderOn(
      std::string_view(reinterpret_cast<const char*>(data), size));
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    __builtin_trap();
  }
  return 0;
}
