#pragma once
// The size a benchmark runs at: `full`, or `smoke` when the tests run each benchmark once to see
// that it still works (KIV_BENCH_SMOKE set; no time is asserted then).
#include <cstdlib>

namespace benchsupport {

template <class T>
T benchSize(T full, T smoke) {
    return std::getenv("KIV_BENCH_SMOKE") ? smoke : full;
}

} // namespace benchsupport
