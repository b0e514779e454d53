// A small timing helper for the benchmark programs (not tests).
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>

namespace kdw::bench {

// Runs the body repeatedly for about a quarter of a second and prints the
// mean cost of one run.
inline double Measure(const char* label, const std::function<void()>& body) {
  using Clock = std::chrono::steady_clock;
  for (int i = 0; i < 10; ++i) body();  // warm up
  long runs = 0;
  const auto start = Clock::now();
  auto now = start;
  while (now - start < std::chrono::milliseconds(250)) {
    for (int i = 0; i < 100; ++i) body();
    runs += 100;
    now = Clock::now();
  }
  const double ns = std::chrono::duration<double, std::nano>(now - start).count() / runs;
  std::printf("%-48s %12.0f ns  (%ld runs)\n", label, ns, runs);
  return ns;
}

}  // namespace kdw::bench
