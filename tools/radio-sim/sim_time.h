#pragma once

#include <chrono>

namespace zr::sim {

// The simulator keeps its deadlines on the monotonic clock; the pure parts take
// the time as an argument so that tests can step it.
using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;

}  // namespace zr::sim
