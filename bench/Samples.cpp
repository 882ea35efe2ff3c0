#include "bench/Samples.h"

#include <algorithm>
#include <stdexcept>

namespace tovrin::bench {

Summary summarize(std::vector<double> samples) {
    if (samples.empty())
        throw std::logic_error("a case produced no samples");
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    const double median =
        samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    const double range = samples.back() - samples.front();
    return {median, median > 0 ? range / median : 0};
}

} // namespace tovrin::bench
