#include "bench/BatchText.h"
#include "bench/BenchEditor.h"
#include "bench/PeakMemory.h"
#include "bench/Stopwatch.h"
#include "bench/cases/Cases.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <unistd.h>

namespace tovrin::bench {

namespace {

void check(long result, const std::string& what) {
    if (result < 0)
        throw std::runtime_error(what + ": " + std::strerror(errno));
}

// The physical limit: the bytes go to a new file in the same folder, which
// is synced and renamed over the old one, with nothing else done.
void writePlainly(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    check(fd, "open " + temporary);
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        check(written, "write " + temporary);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    check(::fsync(fd), "fsync " + temporary);
    check(::close(fd), "close " + temporary);
    check(::rename(temporary.c_str(), path.c_str()), "rename " + temporary);
}

std::string contentOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void generate(BenchEditor& editor) {
    editor.form.Saved = false;
    if (!editor.form.GenerateBatFile() || !editor.form.Saved)
        throw std::runtime_error("GenerateBatFile did not finish.");
}

} // namespace

std::vector<Row> generateRows(const Settings& settings) {
    BenchEditor editor;
    const std::string chosenName = settings.folder + "/generated";
    const std::string generatedPath = chosenName + ".bat";
    const std::string baselinePath = settings.folder + "/baseline.bat";
    editor.platform.chooseFileName(chosenName);

    std::vector<Row> rows;
    for (std::size_t size : settings.generateSizes) {
        const BatchText text = makeBatchText(size);
        editor.setDirtyText(text.utf8);

        const std::size_t peak = peakExtraResident([&] { generate(editor); });
        if (contentOf(generatedPath) != text.windows1252)
            throw std::runtime_error("Generate wrote other bytes than the text's: " + generatedPath);

        const MeasuredByTurns times = byTurns(
            settings.runs, [&] { return secondsTaken([&] { generate(editor); }); },
            [&] { return secondsTaken([&] { writePlainly(baselinePath, text.windows1252); }); });

        // The time is judged where fixed costs weigh most, against twice
        // the disk's own time, and where they vanish, against one and a
        // half times; the memory where the text is largest.
        const bool largest = size == settings.generateSizes.back();
        std::optional<double> maxRatio;
        if (largest)
            maxRatio = 1.5;
        else if (size == settings.generateSizes.front())
            maxRatio = 2.0;
        Row memory{.name = "Generate " + sizeName(size) + ", extra memory",
                   .unit = Unit::Bytes,
                   .measured = {static_cast<double>(peak), 0},
                   .baselineName = "text size",
                   .baseline = {static_cast<double>(text.utf8.size()), 0},
                   .maxRatio = largest ? std::optional(3.0) : std::nullopt,
                   .maxMeasured = std::nullopt};
        rows.push_back(rowByTurns("Generate " + sizeName(size), Unit::Seconds, times, "write+fsync+rename", maxRatio));
        rows.push_back(memory);
    }
    return rows;
}

} // namespace tovrin::bench
