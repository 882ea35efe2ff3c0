#include "bench/Report.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace tovrin::bench {

namespace {

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string withUnit(double value, Unit unit) {
    if (unit == Unit::ShareOfACore)
        return format("%.1f %%", value * 100);
    if (unit == Unit::Bytes)
        return value >= 1e6 ? format("%.1f MB", value / 1e6) : format("%.1f KB", value / 1e3);
    if (value >= 1)
        return format("%.2f s", value);
    if (value >= 1e-3)
        return format("%.2f ms", value * 1e3);
    return format("%.1f us", value * 1e6);
}

std::string unitName(Unit unit) {
    switch (unit) {
    case Unit::Seconds:
        return "seconds";
    case Unit::Bytes:
        return "bytes";
    case Unit::ShareOfACore:
        return "share of a core";
    }
    return {};
}

std::string target(const Row& row) {
    std::string text;
    if (row.maxRatio)
        text = format("<= %.1fx", *row.maxRatio);
    if (row.maxMeasured)
        text += (text.empty() ? "< " : ", < ") + withUnit(*row.maxMeasured, row.unit);
    return text.empty() ? "-" : text;
}

std::string verdict(const Row& row) {
    if (!row.hasTarget())
        return "report";
    return row.targetMet() ? "met" : "MISSED";
}

// A string as JSON: the names are plain ASCII, but quotes and backslashes
// must still be escaped.
std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            result += '\\';
        result += c;
    }
    return result + "\"";
}

std::string optionalNumber(const std::optional<double>& value) {
    return value ? format("%.9g", *value) : "null";
}

// A line of the table, its last column left empty when there is no verdict.
std::string withoutTrailingSpaces(std::string line) {
    line.erase(line.find_last_not_of(" \n") + 1);
    return line + "\n";
}

} // namespace

void printTable(const std::vector<Row>& rows, Verdicts verdicts, std::ostream& out) {
    const bool judged = verdicts == Verdicts::Given;
    char line[256];
    const char* layout = "%-44s %11s %7s  %-26s %11s %6s  %-18s %s\n";
    std::snprintf(line, sizeof line, layout, "case", "median", "spread", "baseline", "median", "ratio", "target",
                  judged ? "result" : "");
    out << withoutTrailingSpaces(line);
    for (const Row& row : rows) {
        std::snprintf(line, sizeof line, layout, row.name.c_str(), withUnit(row.measured.median, row.unit).c_str(),
                      format("%.0f%%", row.measured.spread * 100).c_str(), row.baselineName.c_str(),
                      withUnit(row.baseline.median, row.unit).c_str(), format("%.2f", row.ratio()).c_str(),
                      target(row).c_str(), judged ? verdict(row).c_str() : "");
        out << withoutTrailingSpaces(line);
    }
}

void writeJson(const std::vector<Row>& rows, Verdicts verdicts, const std::string& path) {
    std::ofstream file(path);
    file << "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        file << "  {\"case\": " << quoted(row.name)
             << ", \"unit\": " << quoted(unitName(row.unit))
             << ", \"median\": " << format("%.9g", row.measured.median)
             << ", \"spread\": " << format("%.4f", row.measured.spread)
             << ", \"baseline\": " << quoted(row.baselineName)
             << ", \"baseline_median\": " << format("%.9g", row.baseline.median)
             << ", \"baseline_spread\": " << format("%.4f", row.baseline.spread)
             << ", \"ratio\": " << format("%.4f", row.ratio())
             << ", \"max_ratio\": " << optionalNumber(row.maxRatio)
             << ", \"max_median\": " << optionalNumber(row.maxMeasured)
             << ", \"result\": " << (verdicts == Verdicts::Given ? quoted(verdict(row)) : "null") << "}"
             << (i + 1 < rows.size() ? "," : "") << "\n";
    }
    file << "]\n";
    file.close();
    if (!file)
        throw std::runtime_error("Could not write \"" + path + "\": " + std::strerror(errno));
}

} // namespace tovrin::bench
