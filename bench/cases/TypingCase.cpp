#include "bench/BareWindow.h"
#include "bench/BatchText.h"
#include "bench/BenchEditor.h"
#include "bench/PeakMemory.h"
#include "bench/Stopwatch.h"
#include "bench/cases/Cases.h"

#include <QEventLoop>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>
#include <ctime>
#include <memory>
#include <numeric>
#include <stdexcept>

namespace tovrin::bench {

namespace {

constexpr double FiftyMilliseconds = 0.05;
constexpr double OneMegabyte = 1e6;

enum class Window { Editor, BareQt };

double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A text box holding a text, its caret at the end: Text1 in the editor, or
// the text edit of the bare Qt window.
class TypingAtTheEnd {
public:
    TypingAtTheEnd(const std::string& text, Window window) {
        if (window == Window::Editor) {
            editor_ = std::make_unique<BenchEditor>();
            if (!text.empty())
                editor_->setDirtyText(text);
            textBox_ = &editor_->text1();
        } else {
            bare_ = std::make_unique<BareWindow>(text);
            textBox_ = &bare_->textBox();
        }
        QTextCursor end = textBox_->textCursor();
        end.movePosition(QTextCursor::End);
        textBox_->setTextCursor(end);
        BenchEditor::settle();
    }

    // Seconds per keystroke, and the slowest one, each keystroke typed and
    // painted before the next.
    double secondsPerKeystroke(int keystrokes) {
        const std::vector<double> seconds = typeAndUndo(keystrokes);
        return std::accumulate(seconds.begin(), seconds.end(), 0.0) / keystrokes;
    }
    double worstKeystroke(int keystrokes) {
        const std::vector<double> seconds = typeAndUndo(keystrokes);
        return *std::max_element(seconds.begin(), seconds.end());
    }

    // The resident memory the process gained over the keystrokes, the free
    // heap handed back before and after.
    double memoryGained(int keystrokes) {
        releaseFreeHeap();
        const double before = static_cast<double>(residentBytes());
        type(keystrokes);
        releaseFreeHeap();
        const double gained = static_cast<double>(residentBytes()) - before;
        removeLastCharacters(keystrokes);
        return gained;
    }

    // The share of a core the whole process takes while nothing happens but
    // what this text box does by itself, its window active and the text box
    // focused, as when a person stops typing.
    double idleShareOfACore(double seconds) {
        QWidget* window = textBox_->window();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            throw std::runtime_error("The window never became active.");
        textBox_->setFocus();
        BenchEditor::settle();
        const double before = processorSeconds();
        const double wallSeconds = secondsTaken([&] {
            QEventLoop idle;
            QTimer::singleShot(static_cast<int>(seconds * 1000), &idle, &QEventLoop::quit);
            idle.exec();
        });
        return (processorSeconds() - before) / wallSeconds;
    }

private:
    std::vector<double> type(int keystrokes) {
        if (editor_)
            editor_->form.Saved = true;
        const int charactersBefore = textBox_->document()->characterCount();
        std::vector<double> seconds;
        for (int i = 0; i < keystrokes; ++i) {
            seconds.push_back(secondsTaken([&] {
                QTest::keyClick(textBox_, Qt::Key_A);
                BenchEditor::settle();
            }));
        }
        if (textBox_->document()->characterCount() != charactersBefore + keystrokes)
            throw std::runtime_error("Typing did not reach the text box.");
        if (editor_ && editor_->form.Saved)
            throw std::runtime_error("Typing did not reach Text1 Change.");
        return seconds;
    }

    std::vector<double> typeAndUndo(int keystrokes) {
        std::vector<double> seconds = type(keystrokes);
        removeLastCharacters(keystrokes);
        return seconds;
    }

    // So that every run types at the end of the same text.
    void removeLastCharacters(int count) {
        QTextCursor cursor = textBox_->textCursor();
        cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, count);
        cursor.removeSelectedText();
        BenchEditor::settle();
    }

    std::unique_ptr<BenchEditor> editor_;
    std::unique_ptr<BareWindow> bare_;
    QPlainTextEdit* textBox_ = nullptr;
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
// text just fills the window: that is the typical keystroke's baseline. The
// empty text also spares painting a window of lines, so its row is a
// report. The slowest keystroke, the memory and the idle caret are judged
// against the toolkit's own window with the same text.
std::vector<Row> typingRows(const Settings& settings) {
    const std::string screen = oneScreenOfText();
    const std::string screenName = "one screen, " + lineCount(screen);
    const std::string largeText = makeBatchText(settings.largeText).utf8;
    TypingAtTheEnd large(largeText, Window::Editor);
    TypingAtTheEnd bareLarge(largeText, Window::BareQt);
    TypingAtTheEnd screenful(screen, Window::Editor);
    TypingAtTheEnd empty("", Window::Editor);
    const auto typeInto = [](TypingAtTheEnd& text, int keystrokes) {
        return [&text, keystrokes] { return text.secondsPerKeystroke(keystrokes); };
    };
    const auto worstIn = [](TypingAtTheEnd& text, int keystrokes) {
        return [&text, keystrokes] { return text.worstKeystroke(keystrokes); };
    };
    const auto memoryOf = [](TypingAtTheEnd& text, int keystrokes) {
        return [&text, keystrokes] { return text.memoryGained(keystrokes); };
    };
    const int keystrokes = settings.keystrokesPerRun;
    const MeasuredByTurns againstScreenful =
        byTurns(settings.runs, typeInto(large, keystrokes), typeInto(screenful, keystrokes));
    const MeasuredByTurns againstEmpty =
        byTurns(settings.runs, typeInto(large, keystrokes), typeInto(empty, keystrokes));
    const MeasuredByTurns worst =
        byTurns(settings.runs, worstIn(large, keystrokes), worstIn(bareLarge, keystrokes));
    const MeasuredByTurns memory = byTurns(settings.runs, memoryOf(large, settings.keystrokesForMemory),
                                           memoryOf(bareLarge, settings.keystrokesForMemory));

    // A long line is laid out again whole at each keystroke; one keystroke
    // a run, as it may take seconds.
    const std::string lineWithSpaces = makeLineWithSpaces(settings.lineWithSpaces);
    TypingAtTheEnd withSpaces(lineWithSpaces, Window::Editor);
    const MeasuredByTurns inLineWithSpaces =
        byTurns(settings.longLineRuns, typeInto(withSpaces, 1), typeInto(screenful, keystrokes));
    TypingAtTheEnd bareWithSpaces(lineWithSpaces, Window::BareQt);
    const MeasuredByTurns idle = byTurns(
        settings.longLineRuns, [&] { return withSpaces.idleShareOfACore(settings.idleSeconds); },
        [&] { return bareWithSpaces.idleShareOfACore(settings.idleSeconds); });
    TypingAtTheEnd unbroken(makeUnbrokenLine(settings.unbrokenLine), Window::Editor);
    const MeasuredByTurns inUnbrokenLine =
        byTurns(settings.longLineRuns, typeInto(unbroken, 1), typeInto(screenful, keystrokes));

    const std::string atTheEnd = "at the end of " + sizeName(settings.largeText);
    const std::string withSpacesName = characterCount(settings.lineWithSpaces) + " line with spaces";
    return {
        rowByTurns("Keystroke " + atTheEnd, Unit::Seconds, againstScreenful, screenName, 1.1),
        rowByTurns("Keystroke " + atTheEnd, Unit::Seconds, againstEmpty, "empty text"),
        rowByTurns("Slowest keystroke " + atTheEnd, Unit::Seconds, worst, "bare Qt window, slowest", 2.0),
        rowByTurns("Memory gained by " + std::to_string(settings.keystrokesForMemory) + " keystrokes, " +
                       sizeName(settings.largeText),
                   Unit::Bytes, memory, "bare Qt window", std::nullopt, OneMegabyte),
        rowByTurns("Keystroke in a " + withSpacesName, Unit::Seconds, inLineWithSpaces, screenName),
        rowByTurns("Idle, caret in a " + withSpacesName, Unit::ShareOfACore, idle, "bare Qt window", 1.1),
        rowByTurns("Keystroke in a " + characterCount(settings.unbrokenLine) + " unbroken line", Unit::Seconds,
                   inUnbrokenLine, screenName, std::nullopt, FiftyMilliseconds),
    };
}

} // namespace tovrin::bench
