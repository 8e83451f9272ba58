#include "bench/bench.h"

namespace framora::bench {

void RunnerBenchmarks() {}

}  // namespace framora::bench
