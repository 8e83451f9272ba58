#include "bench/bench.h"

namespace framora::bench {

void ConversionBenchmarks() {}

}  // namespace framora::bench
