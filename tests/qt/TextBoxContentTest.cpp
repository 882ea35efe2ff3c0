#include "tests/qt/RunningEditor.h"

#include <QTextCursor>
#include <functional>
#include <random>

namespace tovrin::testing {
namespace {

using TextBoxContent = RunningEditor;

// Every way an edit reaches the document, at random places, many times
// over: after each one Generate reads exactly the document's text, and no
// edit but the large paste made it copy the whole text again.
TEST_F(TextBoxContent, FollowsEveryEditWithoutCopyingTheWholeText) {
    std::mt19937 random(7);
    const auto below = [&](int bound) {
        return static_cast<int>(random() % static_cast<unsigned>(std::max(bound, 1)));
    };
    const QString samples[] = {
        "x", "rem \u00E9t\u00E9\n", "a\r\nb\rc\u2028d\u2029", QString::fromStdU16String({0xD83D, 0xDE00}),
        QString::fromStdU16String({0xD83D}), QString(70'000, 'w') + "\n" + QString(70'000, 'v'), "\t\n\n"};
    const auto cursorAt = [&] {
        QTextCursor cursor(text1().document());
        cursor.setPosition(below(text1().document()->characterCount()));
        cursor.setPosition(below(text1().document()->characterCount()), QTextCursor::KeepAnchor);
        return cursor;
    };
    const std::function<void()> edits[] = {
        [&] { type("ab\u00FC"); },
        [&] { QTest::keyClick(&text1(), Qt::Key_Return); },
        [&] { QTest::keyClick(&text1(), Qt::Key_Backspace); },
        [&] { QTest::keyClick(&text1(), Qt::Key_Delete); },
        [&] { QTest::keyClick(&text1(), Qt::Key_Left, Qt::ShiftModifier); },
        [&] { QTest::keyClick(&text1(), Qt::Key_Up, Qt::ShiftModifier); },
        [&] { QTest::keyClick(&text1(), Qt::Key_Z, Qt::ControlModifier); },
        [&] { QTest::keyClick(&text1(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); },
        [&] { text1().setTextCursor(cursorAt()); },
        [&] { text1().cut(); },
        [&] { text1().paste(); },
        [&] { cursorAt().insertText(samples[below(std::size(samples))]); },
        [&] { cursorAt().removeSelectedText(); },
        [&] { text1().setPlainText(samples[below(std::size(samples))]); },
        [&] {
            QTextCursor cursor = cursorAt();
            cursor.beginEditBlock();
            cursor.insertText(samples[below(std::size(samples))]);
            cursorAt().removeSelectedText();
            cursor.endEditBlock();
        },
    };
    for (int step = 0; step < 600; ++step) {
        edits[below(std::size(edits))]();
        ASSERT_EQ(content(), text1().document()->toRawText().toStdU16String()) << "after step " << step;
    }
    const std::size_t copies = platform.text1Content().wholeCopies();
    platform.SetText(std::string(2'000'000, 'p'));
    EXPECT_EQ(content(), std::u16string(2'000'000, u'p'));
    EXPECT_EQ(platform.text1Content().wholeCopies(), copies + 1);
    EXPECT_EQ(copies, 1u);  // the empty text, when the window was made
}

} // namespace
} // namespace tovrin::testing
