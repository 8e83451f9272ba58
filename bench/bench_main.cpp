// framora_bench.exe [group...]: runs the named groups (runner, settings, conversion), or all.
#include <cstdio>
#include <cstring>
#include <exception>

#include "bench/bench.h"

namespace framora::bench {

void Report(std::string_view name, double value, std::string_view unit) {
  std::printf("%.*s: %.4g%s%.*s\n", static_cast<int>(name.size()), name.data(), value,
              unit.empty() ? "" : " ", static_cast<int>(unit.size()), unit.data());
  std::fflush(stdout);
}

}  // namespace framora::bench

int main(int argc, char** argv) {
  using namespace framora::bench;
  struct Group {
    const char* name;
    void (*run)();
  };
  const Group groups[] = {{"runner", RunnerBenchmarks},
                          {"settings", SettingsBenchmarks},
                          {"conversion", ConversionBenchmarks}};
  try {
    for (const Group& group : groups) {
      bool wanted = argc < 2;
      for (int i = 1; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], group.name) == 0;
      if (wanted) group.run();
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "benchmark failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
