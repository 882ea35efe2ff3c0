#include "tests/qt/RunningEditor.h"

namespace tovrin::testing {
namespace {

using TextBox = RunningEditor;

TEST_F(TextBox, TypingMarksTheTextDirtyAndReadsBackWithCrLf) {
    EXPECT_TRUE(form.Saved);
    typeLines({"@echo off", "cd \\tools", "dir"});
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(platform.Text(), "@echo off\r\ncd \\tools\r\ndir");
}

TEST_F(TextBox, ShiftEnterAndPastedLineBreaksAllReadAsCrLf) {
    QTest::keyClicks(&text1(), "a");
    QTest::keyClick(&text1(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&text1(), "b");
    text1().insertPlainText("\nc\rd\r\ne");
    EXPECT_EQ(platform.Text(), "a\r\nb\r\nc\r\nd\r\ne");
}

TEST_F(TextBox, NonAsciiAndNoBreakSpaceReadBackUnchanged) {
    type(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC\xC2\xA0" "5"));
    EXPECT_EQ(platform.Text(), "caf\xC3\xA9 \xE2\x82\xAC\xC2\xA0" "5");
}

TEST_F(TextBox, EmptyLinesAndAFinalBreakReadBackAsTheyWereWritten) {
    platform.SetText("\r\n\r\nrem x\r\n");
    EXPECT_EQ(platform.Text(), "\r\n\r\nrem x\r\n");
    platform.SetText("");
    EXPECT_EQ(platform.Text(), "");
}

TEST_F(TextBox, CharactersBeyondSixteenBitsReadAsFourBytesAndAnUnpairedHalfAsReplacement) {
    const char16_t pairedAndLone[] = {u'a', 0xD83D, 0xDE00, u'b', 0xD83D, u'c', 0xDE00};
    text1().setPlainText(QString::fromUtf16(pairedAndLone, std::size(pairedAndLone)));
    EXPECT_EQ(platform.Text(), "a\xF0\x9F\x98\x80" "b\xEF\xBF\xBD" "c\xEF\xBF\xBD");
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
    EXPECT_EQ(platform.Text(), "new\r\ntext");
}

TEST_F(TextBox, DeletingWhatWasTypedLeavesTheTextDirty) {
    QTest::keyClicks(&text1(), "x");
    QTest::keyClick(&text1(), Qt::Key_Backspace);
    EXPECT_EQ(platform.Text(), "");
    EXPECT_FALSE(form.Saved);
}

} // namespace
} // namespace tovrin::testing
