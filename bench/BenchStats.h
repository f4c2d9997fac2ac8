#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// Seconds on the performance counter, for intervals within one process.
inline double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER count{};
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / frequency;
}

// Median, smallest and largest of a set of samples (all zero for none).
struct Spread {
  double median = 0;
  double min = 0;
  double max = 0;
};

inline Spread SpreadOf(std::vector<double> samples) {
  if (samples.empty()) {
    return {};
  }
  std::sort(samples.begin(), samples.end());
  const std::size_t middle = samples.size() / 2;
  const double median = samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
  return {median, samples.front(), samples.back()};
}

// Program and floor measured in turns, and the ratio of each pair.
struct Paired {
  std::vector<double> program;
  std::vector<double> floor;

  void Add(double programValue, double floorValue) {
    program.push_back(programValue);
    floor.push_back(floorValue);
  }
  std::vector<double> Ratios() const {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < program.size() && i < floor.size(); ++i) {
      ratios.push_back(floor[i] > 0 ? program[i] / floor[i] : 0);
    }
    return ratios;
  }
};

// One line of the results table: "| what | program | floor | ratio median (min-max) | target | met |". The program
// and floor columns are medians, multiplied by scale and followed by unit. A target of 0 means "report only".
inline void PrintRow(const char* what, const Paired& pair, double scale, const char* programUnit, const char* floorUnit,
                     double target) {
  const Spread program = SpreadOf(pair.program);
  const Spread floor = SpreadOf(pair.floor);
  const Spread ratio = SpreadOf(pair.Ratios());
  std::printf("| %s | %.4g %s | %.4g %s | %.2f (%.2f-%.2f) | ", what, program.median * scale, programUnit,
              floor.median * scale, floorUnit, ratio.median, ratio.min, ratio.max);
  if (target > 0) {
    std::printf("<= %.2f | %s |\n", target, ratio.median <= target ? "yes" : "no");
  } else {
    std::printf("- | - |\n");
  }
}

inline void PrintRow(const char* what, const Paired& pair, double scale, const char* unit, double target) {
  PrintRow(what, pair, scale, unit, unit, target);
}

// The same figure for pairs measured with the program first and with the floor first in turn, so that a drift in
// the machine's speed falls on both alike.
template <typename Measure>
void MeasureInTurns(int repetitions, Paired& pair, Measure measure) {
  for (int i = 0; i < repetitions; ++i) {
    double program = 0;
    double floor = 0;
    if (i % 2 == 0) {
      program = measure(true);
      floor = measure(false);
    } else {
      floor = measure(false);
      program = measure(true);
    }
    pair.Add(program, floor);
  }
}
