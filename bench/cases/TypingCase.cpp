#include "bench/BatchText.h"
#include "bench/BenchEditor.h"
#include "bench/Stopwatch.h"
#include "bench/cases/Cases.h"

#include <QTest>
#include <QTextCursor>
#include <stdexcept>

namespace tovrin::bench {

namespace {

constexpr double FiftyMilliseconds = 0.05;

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

// The fewest lines of the bench's text whose last line reaches the bottom
// of the text box as the window starts: what a person sees while typing
// at the end of a long text, with no more text behind it.
std::string oneScreenOfText() {
    constexpr std::size_t LineBytes = 102;
    BenchEditor editor;
    for (std::size_t lines = 1; lines <= 1000; ++lines) {
        const std::string text = makeBatchText(lines * LineBytes).utf8;
        editor.setDirtyText(text);
        QTextCursor end(editor.text1().document());
        end.movePosition(QTextCursor::End);
        if (editor.text1().cursorRect(end).bottom() >= editor.text1().viewport()->height())
            return text;
    }
    throw std::runtime_error("A thousand lines do not fill the text box.");
}

std::string lineCount(const std::string& text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ++lines;
    return std::to_string(lines) + " lines";
}

} // namespace

// What a person compares a keystroke with is the same keystroke where the
// text just fills the window: that is the target's baseline. The empty text
// also spares painting a window of lines, so its row is a report.
std::vector<Row> typingRows(const Settings& settings) {
    const std::string screen = oneScreenOfText();
    const std::string screenName = "one screen, " + lineCount(screen);
    TypingAtTheEnd large(makeBatchText(settings.largeText).utf8);
    TypingAtTheEnd screenful(screen);
    TypingAtTheEnd empty("");
    const auto typeInto = [](TypingAtTheEnd& text, int keystrokes) {
        return [&text, keystrokes] { return text.secondsPerKeystroke(keystrokes); };
    };
    const int keystrokes = settings.keystrokesPerRun;
    const MeasuredByTurns againstScreenful =
        byTurns(settings.runs, typeInto(large, keystrokes), typeInto(screenful, keystrokes));
    const MeasuredByTurns againstEmpty =
        byTurns(settings.runs, typeInto(large, keystrokes), typeInto(empty, keystrokes));

    // A long line is laid out again whole at each keystroke; one keystroke
    // a run, as it may take seconds.
    TypingAtTheEnd withSpaces(makeLineWithSpaces(settings.lineWithSpaces));
    const MeasuredByTurns inLineWithSpaces =
        byTurns(settings.longLineRuns, typeInto(withSpaces, 1), typeInto(screenful, keystrokes));
    TypingAtTheEnd unbroken(makeUnbrokenLine(settings.unbrokenLine));
    const MeasuredByTurns inUnbrokenLine =
        byTurns(settings.longLineRuns, typeInto(unbroken, 1), typeInto(screenful, keystrokes));

    const std::string atTheEnd = "Keystroke at the end of " + sizeName(settings.largeText);
    return {{.name = atTheEnd,
             .unit = Unit::Seconds,
             .measured = againstScreenful.measured,
             .baselineName = screenName,
             .baseline = againstScreenful.baseline,
             .maxRatio = 1.1,
             .maxMeasured = std::nullopt},
            {.name = atTheEnd,
             .unit = Unit::Seconds,
             .measured = againstEmpty.measured,
             .baselineName = "empty text",
             .baseline = againstEmpty.baseline,
             .maxRatio = std::nullopt,
             .maxMeasured = std::nullopt},
            {.name = "Keystroke in a " + characterCount(settings.lineWithSpaces) + " line with spaces",
             .unit = Unit::Seconds,
             .measured = inLineWithSpaces.measured,
             .baselineName = screenName,
             .baseline = inLineWithSpaces.baseline,
             .maxRatio = std::nullopt,
             .maxMeasured = std::nullopt},
            {.name = "Keystroke in a " + characterCount(settings.unbrokenLine) + " unbroken line",
             .unit = Unit::Seconds,
             .measured = inUnbrokenLine.measured,
             .baselineName = screenName,
             .baseline = inUnbrokenLine.baseline,
             .maxRatio = std::nullopt,
             .maxMeasured = FiftyMilliseconds}};
}

} // namespace tovrin::bench
