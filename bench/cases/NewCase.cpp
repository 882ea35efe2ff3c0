#include "bench/BatchText.h"
#include "bench/BenchEditor.h"
#include "bench/Stopwatch.h"
#include "bench/cases/Cases.h"

#include <stdexcept>

namespace tovrin::bench {

namespace {

// New on a dirty text, the prompt answered No: the text is cleared and
// marked clean, and the window repainted.
double secondsForNew(BenchEditor& editor, const std::string& text) {
    editor.setDirtyText(text);
    const double seconds = secondsTaken([&] {
        editor.form.mnunew_Click();
        BenchEditor::settle();
    });
    if (!editor.form.Saved || !editor.text1().document()->isEmpty())
        throw std::runtime_error("New did not clear the text.");
    return seconds;
}

} // namespace

Row newRow(const Settings& settings) {
    BenchEditor editor;
    const std::string large = makeBatchText(settings.largeText).utf8;
    const std::string small = makeBatchText(settings.smallText).utf8;
    const MeasuredByTurns times = byTurns(
        settings.runs, [&] { return secondsForNew(editor, large); }, [&] { return secondsForNew(editor, small); });
    return rowByTurns("New on " + sizeName(settings.largeText) + ", answered No", Unit::Seconds, times,
                      sizeName(settings.smallText) + " text");
}

} // namespace tovrin::bench
