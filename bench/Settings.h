#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tovrin::bench {

// How big and how often: the full figures, or a tiny run that only proves
// every case works.
struct Settings {
    std::vector<std::size_t> generateSizes;
    std::size_t largeText = 0;
    std::size_t smallText = 0;
    int runs = 0;
    int startupRuns = 0;
    int keystrokesPerRun = 0;
    // Memory is counted in pages, so over more keystrokes.
    int keystrokesForMemory = 0;
    // A keystroke in one long line costs so much that few are typed.
    std::size_t lineWithSpaces = 0;
    std::size_t unbrokenLine = 0;
    int longLineRuns = 0;
    // How long the editor is left alone with the long line, each run.
    double idleSeconds = 0;
    int resizesPerRun = 0;
    // Where files are written: a folder of its own on the disk being measured.
    std::string folder;
};

Settings fullSettings();
Settings tinySettings();

} // namespace tovrin::bench
