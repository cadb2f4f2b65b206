#pragma once
// Timing helpers of the benchmark programs that print their own figures: single runs, medians,
// and runs in a fresh process of the benchmark itself (for costs a warm heap would hide).

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <ratio>
#include <vector>

// One run of `work`, in seconds (Unit = std::ratio<1>) or e.g. milliseconds (std::milli).
template <typename Unit = std::ratio<1>>
double Time(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, Unit>(std::chrono::steady_clock::now() - start).count();
}

// CPU seconds used so far by `clock` (CLOCK_PROCESS_CPUTIME_ID for every thread of this process,
// CLOCK_THREAD_CPUTIME_ID for the calling thread). On a shared machine, CPU time says more about
// the code than wall time, which mostly measures the neighbours.
inline double CpuSeconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Starts this program again with `mode` and `argument` and returns the one number the child
// prints; a child that fails ends the benchmark, as its figures would mean nothing.
inline double RunInFreshProcess(const char* mode, const QString& argument) {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode), argument});
  bool parsed = false;
  const bool finished = child.waitForFinished(60'000) && child.exitCode() == 0;
  const double value = child.readAllStandardOutput().trimmed().toDouble(&parsed);
  if (!finished || !parsed) {
    std::abort();
  }
  return value;
}
