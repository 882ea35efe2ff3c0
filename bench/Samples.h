#pragma once

#include <vector>

namespace tovrin::bench {

// The figures of one measured thing over several runs.
struct Summary {
    double median = 0;
    // The range of the runs as a share of the median: 0.1 is ±5 %.
    double spread = 0;
};

Summary summarize(std::vector<double> samples);

} // namespace tovrin::bench
