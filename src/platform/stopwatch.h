// A millisecond stopwatch on the monotonic clock, for run times and estimates.
#pragma once

#include <chrono>
#include <cstdint>

namespace velmora {

class CStopWatch {
 public:
  CStopWatch() : start_(Clock::now()) {}

  // Milliseconds since creation or the last Reset.
  std::uint32_t Elapsed() const {
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count());
  }
  void Reset() { start_ = Clock::now(); }

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point start_;
};

}  // namespace velmora
