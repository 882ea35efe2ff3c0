#include "bench/BatchText.h"
#include "bench/BenchEditor.h"
#include "bench/Stopwatch.h"
#include "bench/cases/Cases.h"

#include <cstdlib>
#include <stdexcept>

namespace tovrin::bench {

namespace {

constexpr double OneFrame = 1.0 / 60;

class Resizing {
public:
    explicit Resizing(const std::string& text) {
        if (!text.empty())
            editor_.setDirtyText(text);
        startSize_ = editor_.platform.window().size();
    }

    // Seconds per resize, each one laid out and painted before the next.
    // The window grows and shrinks by turns, in both directions.
    double secondsPerResize(int resizes) {
        const QSize grown = startSize_ + QSize(37, 23);
        const double seconds = secondsTaken([&] {
            for (int i = 0; i < resizes; ++i) {
                editor_.platform.window().resize(i % 2 == 0 ? grown : startSize_);
                BenchEditor::settle();
            }
        });
        checkText1Follows();
        return seconds / resizes;
    }

private:
    void checkText1Follows() {
        editor_.platform.window().resize(startSize_ + QSize(50, 50));
        BenchEditor::settle();
        const int wide = editor_.text1().width();
        editor_.platform.window().resize(startSize_);
        BenchEditor::settle();
        // Twips round to whole pixels, so a pixel either way is the same fit.
        if (std::abs(editor_.text1().width() - (wide - 50)) > 1)
            throw std::runtime_error("Resizing the window did not refit Text1.");
    }

    BenchEditor editor_;
    QSize startSize_;
};

} // namespace

Row resizeRow(const Settings& settings) {
    Resizing large(makeBatchText(settings.largeText).utf8);
    Resizing empty("");
    const MeasuredByTurns times =
        byTurns(settings.runs, [&] { return large.secondsPerResize(settings.resizesPerRun); },
                [&] { return empty.secondsPerResize(settings.resizesPerRun); });
    return rowByTurns("Resize with " + sizeName(settings.largeText), Unit::Seconds, times, "empty text", 2.0,
                      OneFrame);
}

} // namespace tovrin::bench
