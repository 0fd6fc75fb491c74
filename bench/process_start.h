#pragma once

#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace velune::bench {

inline std::int64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// When the process started, in MonotonicNs: the first run reads the clock and execs the
// program afresh, so that the time counts the exec, the dynamic linker and everything
// before main() too. Does not return from the first run (but on a failed exec, -1).
inline std::int64_t ProcessStartNs(char** argv) {
  constexpr char kStartVariable[] = "VELUNE_BENCH_T0";
  if (std::getenv(kStartVariable) == nullptr) {
    setenv(kStartVariable, std::to_string(MonotonicNs()).c_str(), 1);
    execv("/proc/self/exe", argv);
    std::perror("exec");
    return -1;
  }
  return std::atoll(std::getenv(kStartVariable));
}

}  // namespace velune::bench
