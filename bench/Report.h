#pragma once

#include "bench/Row.h"

#include <ostream>
#include <string>
#include <vector>

namespace tovrin::bench {

void printTable(const std::vector<Row>& rows, std::ostream& out);

// The same figures in base units (seconds, bytes); throws when the file
// cannot be written.
void writeJson(const std::vector<Row>& rows, const std::string& path);

} // namespace tovrin::bench
