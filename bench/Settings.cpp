#include "bench/Settings.h"

namespace tovrin::bench {

namespace {
constexpr std::size_t KB = 1000;
constexpr std::size_t MB = 1000 * KB;
} // namespace

Settings fullSettings() {
    return {
        .generateSizes = {1 * MB, 10 * MB, 50 * MB},
        .largeText = 10 * MB,
        .smallText = 1 * KB,
        .runs = 5,
        .startupRuns = 10,
        .keystrokesPerRun = 100,
        .keystrokesForMemory = 200,
        .lineWithSpaces = 1 * MB,
        .unbrokenLine = 200 * KB,
        .longLineRuns = 3,
        .idleSeconds = 2,
        .resizesPerRun = 20,
        .folder = {},
    };
}

Settings tinySettings() {
    return {
        .generateSizes = {1 * KB, 10 * KB},
        .largeText = 10 * KB,
        .smallText = 1 * KB,
        .runs = 1,
        .startupRuns = 1,
        .keystrokesPerRun = 3,
        .keystrokesForMemory = 3,
        .lineWithSpaces = 1 * KB,
        .unbrokenLine = 1 * KB,
        .longLineRuns = 1,
        .idleSeconds = 0.05,
        .resizesPerRun = 2,
        .folder = {},
    };
}

} // namespace tovrin::bench
