#pragma once

#include "bench/Row.h"

#include <ostream>
#include <string>
#include <vector>

namespace tovrin::bench {

// Whether the figures are worth judging against the targets: a tiny run only
// proves that every case works, and its figures mean nothing.
enum class Verdicts { Given, Withheld };

void printTable(const std::vector<Row>& rows, Verdicts verdicts, std::ostream& out);

// The same figures in base units (seconds, bytes), the result null when
// verdicts are withheld; throws when the file cannot be written.
void writeJson(const std::vector<Row>& rows, Verdicts verdicts, const std::string& path);

} // namespace tovrin::bench
