// The benchmark program prints one "name: value" line per figure. Figures are ratios
// against a baseline measured in the same run, or rates, never bare pass/fail timings.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace framora::bench {

void Report(std::string_view name, double value, std::string_view unit = {});

// Seconds of wall time that `body` takes.
template <typename Body>
double Seconds(Body&& body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each group of benchmarks lives in its own file.
void RunnerBenchmarks();
void SettingsBenchmarks();
void ConversionBenchmarks();

}  // namespace framora::bench
