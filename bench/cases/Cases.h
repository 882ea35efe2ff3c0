#pragma once

#include "bench/Row.h"
#include "bench/Settings.h"

#include <string>
#include <vector>

namespace tovrin::bench {

// Each case measures the editor and its baseline in turn, run after run,
// so that both see the same load on the machine.
std::vector<Row> generateRows(const Settings& settings);
std::vector<Row> typingRows(const Settings& settings);
Row resizeRow(const Settings& settings);
Row newRow(const Settings& settings);
// The probes are the programs that report their own start-up, found in
// probeFolder.
std::vector<Row> startupRows(const Settings& settings, const std::string& probeFolder);

// "1 MB", "10 KB": a text size as the table names it.
std::string sizeName(std::size_t bytes);
// "1M-character", "200K-character": a line's length as the table names it.
std::string characterCount(std::size_t characters);

} // namespace tovrin::bench
