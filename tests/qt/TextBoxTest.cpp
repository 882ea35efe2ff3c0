#include "tests/qt/RunningEditor.h"

namespace tovrin::testing {
namespace {

using TextBox = RunningEditor;

TEST_F(TextBox, TypingMarksTheTextDirtyAndIsWrittenWithCrLf) {
    EXPECT_TRUE(form.Saved);
    typeLines({"@echo off", "cd \\tools", "dir"});
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(written(), "@echo off\r\ncd \\tools\r\ndir");
}

TEST_F(TextBox, ShiftEnterAndPastedLineBreaksAreAllWrittenAsCrLf) {
    QTest::keyClicks(&text1(), "a");
    QTest::keyClick(&text1(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&text1(), "b");
    text1().insertPlainText("\nc\rd\r\ne");
    EXPECT_EQ(written(), "a\r\nb\r\nc\r\nd\r\ne");
}

TEST_F(TextBox, NonAsciiAndNoBreakSpaceAreWrittenAsThemselves) {
    type(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC\xC2\xA0" "5"));
    EXPECT_EQ(written(), "caf\xE9 \x80\xA0" "5");
}

TEST_F(TextBox, EmptyLinesAndAFinalBreakAreWrittenAsTheyWereSet) {
    platform.SetText("\r\n\r\nrem x\r\n");
    EXPECT_EQ(written(), "\r\n\r\nrem x\r\n");
    platform.SetText("");
    EXPECT_EQ(written(), "");
}

TEST_F(TextBox, CharactersPassExactlyAsHeldEvenAnUnpairedHalf) {
    // Generate names an unpaired half; reading must not hide it.
    const std::u16string pairedAndLone{u'a', 0xD83D, 0xDE00, u'b', 0xD83D, u'c', 0xDE00};
    text1().setPlainText(QString::fromStdU16String(pairedAndLone));
    EXPECT_EQ(content(), pairedAndLone);
}

TEST_F(TextBox, LongTextIsWrittenWholeInTheCodePageOfTheUsersLanguage) {
    const QByteArray locale = qgetenv("LC_ALL");
    qputenv("LC_ALL", "ru_RU.UTF-8");
    QString text;
    std::string expected;
    for (int line = 0; line < 5000; ++line) {
        text += QString::fromUtf8("echo \xD1\x81\xD1\x82\xD1\x80\xD0\xBE\xD0\xBA\xD0\xB0 %1\n").arg(line);
        expected += "echo \xF1\xF2\xF0\xEE\xEA\xE0 " + std::to_string(line) + "\r\n";
    }
    text += QString(150'000, 'x');  // one paragraph longer than a piece
    expected += std::string(150'000, 'x');
    text1().setPlainText(text);
    const std::string bytes = written();
    qputenv("LC_ALL", locale);
    EXPECT_EQ(bytes, expected);
}

TEST_F(TextBox, WritingTheTextReplacesItAndRaisesChangeBeforeReturning) {
    int changes = 0;
    QObject::connect(&text1(), &QPlainTextEdit::textChanged, [&] { ++changes; });
    QTest::keyClicks(&text1(), "old");
    changes = 0;
    form.Saved = true;
    platform.SetText("new\r\ntext");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(content(), u"new\u2029text");
}

TEST_F(TextBox, DeletingWhatWasTypedLeavesTheTextDirty) {
    QTest::keyClicks(&text1(), "x");
    QTest::keyClick(&text1(), Qt::Key_Backspace);
    EXPECT_EQ(content(), u"");
    EXPECT_FALSE(form.Saved);
}

} // namespace
} // namespace tovrin::testing
