#pragma once
// Shared timing harness for the bench/ executables. Each benchmark compares our code
// ("ours") with a reference implementation ("baseline") measured in the same run, so the
// ratio stays meaningful on a busy machine even when the absolute figures drift.
//
//   bench::PrintHeader();
//   bench::Compare("append short", 31, [&] { ...ours... }, [&] { ...baseline... });

#include "common/Win32.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <utility>
#include <vector>

namespace bench {

// Wall-clock stopwatch on the high-resolution performance counter.
class Timer final {
public:
    Timer() noexcept { Restart(); }
    void Restart() noexcept { (void)::QueryPerformanceCounter(&m_start); } // cannot fail since Windows XP
    [[nodiscard]] double ElapsedSeconds() const noexcept
    {
        LARGE_INTEGER now{};
        LARGE_INTEGER frequency{};
        (void)::QueryPerformanceCounter(&now);
        (void)::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start{};
};

// Keeps the optimiser from discarding a result that nothing else reads.
template <typename T>
inline void KeepAlive(const T& value) noexcept
{
    asm volatile("" : : "g"(&value) : "memory");
}

[[nodiscard]] inline double Median(std::vector<double> samples)
{
    if (samples.empty()) {
        return 0.0;
    }
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

// Median wall-clock seconds of one call of fn over `repetitions` calls (after one warm-up).
template <typename Fn>
[[nodiscard]] double MedianSeconds(int repetitions, Fn&& fn)
{
    fn();
    std::vector<double> samples;
    samples.reserve(static_cast<size_t>(std::max(repetitions, 1)));
    for (int i = 0; i < std::max(repetitions, 1); ++i) {
        const Timer timer;
        fn();
        samples.push_back(timer.ElapsedSeconds());
    }
    return Median(std::move(samples));
}

inline void PrintHeader()
{
    std::printf("%-36s %14s %14s %8s\n", "benchmark", "ours (us)", "baseline (us)", "ratio");
    std::fflush(stdout);
}

// ratio = ours / baseline: below 1 means ours is faster.
inline void PrintRow(const char* name, double oursSeconds, double baselineSeconds)
{
    const double ratio = baselineSeconds > 0.0 ? oursSeconds / baselineSeconds : 0.0;
    std::printf("%-36s %14.2f %14.2f %8.2f\n", name, oursSeconds * 1e6, baselineSeconds * 1e6, ratio);
    std::fflush(stdout);
}

// Times ours and baseline in alternation, so that both see the same machine load,
// and prints one row with the medians.
template <typename Ours, typename Baseline>
void Compare(const char* name, int repetitions, Ours&& ours, Baseline&& baseline)
{
    ours();
    baseline();
    std::vector<double> oursSamples;
    std::vector<double> baselineSamples;
    for (int i = 0; i < std::max(repetitions, 1); ++i) {
        Timer timer;
        ours();
        oursSamples.push_back(timer.ElapsedSeconds());
        timer.Restart();
        baseline();
        baselineSamples.push_back(timer.ElapsedSeconds());
    }
    PrintRow(name, Median(std::move(oursSamples)), Median(std::move(baselineSamples)));
}

} // namespace bench
