#pragma once

#include "bench/Samples.h"

#include <optional>
#include <string>

namespace tovrin::bench {

enum class Unit { Seconds, Bytes, ShareOfACore };

// One line of the table: a measured figure, the baseline it is judged
// against (measured in the same run), and the target, if the case has one.
struct Row {
    std::string name;
    Unit unit = Unit::Seconds;
    Summary measured;
    std::string baselineName;
    Summary baseline;
    std::optional<double> maxRatio;
    // In the row's unit, for a target such as "under one frame".
    std::optional<double> maxMeasured;

    double ratio() const { return baseline.median > 0 ? measured.median / baseline.median : 0; }
    bool hasTarget() const { return maxRatio || maxMeasured; }
    bool targetMet() const {
        return (!maxRatio || ratio() <= *maxRatio) && (!maxMeasured || measured.median <= *maxMeasured);
    }
};

// The row of a case measured by turns with its baseline.
inline Row rowByTurns(std::string name, Unit unit, const MeasuredByTurns& figures, std::string baselineName,
                      std::optional<double> maxRatio = std::nullopt,
                      std::optional<double> maxMeasured = std::nullopt) {
    return {.name = std::move(name),
            .unit = unit,
            .measured = figures.measured,
            .baselineName = std::move(baselineName),
            .baseline = figures.baseline,
            .maxRatio = maxRatio,
            .maxMeasured = maxMeasured};
}

} // namespace tovrin::bench
