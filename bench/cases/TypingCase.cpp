#include "bench/BatchText.h"
#include "bench/BenchEditor.h"
#include "bench/Stopwatch.h"
#include "bench/cases/Cases.h"

#include <QTest>
#include <QTextCursor>
#include <stdexcept>

namespace tovrin::bench {

namespace {

class TypingAtTheEnd {
public:
    explicit TypingAtTheEnd(const std::string& text) {
        if (!text.empty())
            editor_.setDirtyText(text);
        QTextCursor end = editor_.text1().textCursor();
        end.movePosition(QTextCursor::End);
        editor_.text1().setTextCursor(end);
        BenchEditor::settle();
    }

    // Seconds per keystroke, each one typed and painted before the next.
    double secondsPerKeystroke(int keystrokes) {
        editor_.form.Saved = true;
        const double seconds = secondsTaken([&] {
            for (int i = 0; i < keystrokes; ++i) {
                QTest::keyClick(&editor_.text1(), Qt::Key_A);
                BenchEditor::settle();
            }
        });
        if (editor_.form.Saved)
            throw std::runtime_error("Typing did not reach Text1 Change.");
        removeLastCharacters(keystrokes);
        return seconds / keystrokes;
    }

private:
    // So that every run types at the end of the same text.
    void removeLastCharacters(int count) {
        QTextCursor cursor = editor_.text1().textCursor();
        cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, count);
        cursor.removeSelectedText();
        BenchEditor::settle();
    }

    BenchEditor editor_;
};

} // namespace

// The target compares with an empty text. A text of one screen tells apart
// what a keystroke costs for the lines in view from what it costs for the
// length of the text.
std::vector<Row> typingRows(const Settings& settings) {
    TypingAtTheEnd large(makeBatchText(settings.largeText).utf8);
    TypingAtTheEnd small(makeBatchText(settings.smallText).utf8);
    TypingAtTheEnd empty("");
    const auto typeInto = [&](TypingAtTheEnd& text) {
        return [&] { return text.secondsPerKeystroke(settings.keystrokesPerRun); };
    };
    const MeasuredByTurns againstEmpty = byTurns(settings.runs, typeInto(large), typeInto(empty));
    const MeasuredByTurns againstScreenful = byTurns(settings.runs, typeInto(large), typeInto(small));
    const std::string name = "Keystroke at the end of " + sizeName(settings.largeText);
    return {{.name = name,
             .unit = Unit::Seconds,
             .measured = againstEmpty.measured,
             .baselineName = "empty text",
             .baseline = againstEmpty.baseline,
             .maxRatio = 1.2,
             .maxMeasured = std::nullopt},
            {.name = name,
             .unit = Unit::Seconds,
             .measured = againstScreenful.measured,
             .baselineName = sizeName(settings.smallText) + " text, one screen",
             .baseline = againstScreenful.baseline,
             .maxRatio = std::nullopt,
             .maxMeasured = std::nullopt}};
}

} // namespace tovrin::bench
