#pragma once

#include <utility>
#include <vector>

namespace tovrin::bench {

// The figures of one measured thing over several runs.
struct Summary {
    double median = 0;
    // The range of the runs as a share of the median: 0.1 is ±5 %.
    double spread = 0;
};

Summary summarize(std::vector<double> samples);

template <typename Sample>
struct SamplesByTurns {
    std::vector<Sample> measured;
    std::vector<Sample> baseline;
};

// Runs a measurement and its baseline by turns, each runs times, so that the
// machine's changing load falls on both alike; which goes first alternates,
// because a run right after another one (a program started, a file synced)
// does not find the machine as the first did.
template <typename Measure, typename MeasureBaseline>
auto takeTurns(int runs, Measure&& measure, MeasureBaseline&& measureBaseline) {
    SamplesByTurns<decltype(measure())> samples;
    for (int run = 0; run < runs; ++run) {
        if (run % 2 == 0) {
            samples.measured.push_back(measure());
            samples.baseline.push_back(measureBaseline());
        } else {
            samples.baseline.push_back(measureBaseline());
            samples.measured.push_back(measure());
        }
    }
    return samples;
}

struct MeasuredByTurns {
    Summary measured;
    Summary baseline;
};

// The same, for a measurement that yields one figure a run.
template <typename Measure, typename MeasureBaseline>
MeasuredByTurns byTurns(int runs, Measure&& measure, MeasureBaseline&& measureBaseline) {
    auto samples = takeTurns(runs, measure, measureBaseline);
    return {summarize(std::move(samples.measured)), summarize(std::move(samples.baseline))};
}

} // namespace tovrin::bench
