#include "bench/bench.h"

namespace framora::bench {

void SettingsBenchmarks() {}

}  // namespace framora::bench
