#include "tests/qt/RunningEditor.h"

namespace tovrin::testing {
namespace {

using TextBox = RunningEditor;

TEST_F(TextBox, TypingMarksTheTextDirtyAndReadsBackWithCrLf) {
    EXPECT_TRUE(form.Saved);
    typeLines({"@echo off", "cd \\tools", "dir"});
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(content(), u"@echo off\r\ncd \\tools\r\ndir");
}

TEST_F(TextBox, ShiftEnterAndPastedLineBreaksAllReadAsCrLf) {
    QTest::keyClicks(&text1(), "a");
    QTest::keyClick(&text1(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&text1(), "b");
    text1().insertPlainText("\nc\rd\r\ne");
    EXPECT_EQ(content(), u"a\r\nb\r\nc\r\nd\r\ne");
}

TEST_F(TextBox, NonAsciiAndNoBreakSpaceReadBackUnchanged) {
    type(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC\xC2\xA0" "5"));
    EXPECT_EQ(content(), u"caf\u00E9 \u20AC\u00A0" "5");
}

TEST_F(TextBox, EmptyLinesAndAFinalBreakReadBackAsTheyWereWritten) {
    platform.SetText("\r\n\r\nrem x\r\n");
    EXPECT_EQ(content(), u"\r\n\r\nrem x\r\n");
    platform.SetText("");
    EXPECT_EQ(content(), u"");
}

TEST_F(TextBox, CharactersPassExactlyAsHeldEvenAnUnpairedHalf) {
    // Generate names an unpaired half; reading must not hide it.
    const std::u16string pairedAndLone{u'a', 0xD83D, 0xDE00, u'b', 0xD83D, u'c', 0xDE00};
    text1().setPlainText(QString::fromStdU16String(pairedAndLone));
    EXPECT_EQ(content(), pairedAndLone);
}

TEST_F(TextBox, LongTextReadsBackWholeAcrossItsPieces) {
    std::u16string expected;
    for (int line = 0; line < 5000; ++line)
        expected += u"echo line " + QString::number(line).toStdU16String() + u" \u00E9\u20AC\r\n";
    expected += std::u16string(150'000, u'x');  // one paragraph longer than a piece
    text1().setPlainText(QString::fromStdU16String(expected));
    EXPECT_EQ(content(), expected);
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
    EXPECT_EQ(content(), u"new\r\ntext");
}

TEST_F(TextBox, DeletingWhatWasTypedLeavesTheTextDirty) {
    QTest::keyClicks(&text1(), "x");
    QTest::keyClick(&text1(), Qt::Key_Backspace);
    EXPECT_EQ(content(), u"");
    EXPECT_FALSE(form.Saved);
}

} // namespace
} // namespace tovrin::testing
