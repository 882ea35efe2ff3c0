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

struct MeasuredByTurns {
    Summary measured;
    Summary baseline;
};

// Runs a measurement and its baseline by turns, each runs times, so that the
// machine's changing load falls on both alike; which goes first alternates,
// so that neither always finds the disk busy with the other's writes.
template <typename Measure, typename MeasureBaseline>
MeasuredByTurns byTurns(int runs, Measure&& measure, MeasureBaseline&& measureBaseline) {
    std::vector<double> measured;
    std::vector<double> baseline;
    for (int run = 0; run < runs; ++run) {
        if (run % 2 == 0) {
            measured.push_back(measure());
            baseline.push_back(measureBaseline());
        } else {
            baseline.push_back(measureBaseline());
            measured.push_back(measure());
        }
    }
    return {summarize(std::move(measured)), summarize(std::move(baseline))};
}

} // namespace tovrin::bench
