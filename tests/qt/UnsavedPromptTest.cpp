#include "tests/qt/RunningEditor.h"

#include <QPushButton>

namespace tovrin::testing {
namespace {

using UnsavedPrompt = RunningEditor;

TEST_F(UnsavedPrompt, AsksYesNoCancelWithYesAsDefaultAndEscapeAsCancel) {
    QTest::keyClicks(&text1(), "echo 1");
    QString prompt;
    QMessageBox::Icon icon = QMessageBox::Critical;
    bool yesIsDefault = false;
    QStringList buttons;
    script.expect<QMessageBox>([&](QMessageBox* box) {
        prompt = box->windowTitle() + "|" + box->text();
        icon = box->icon();
        yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
        for (QAbstractButton* button : box->buttons())
            buttons << QString::number(box->standardButton(button));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    choose(MenuCommand::Exit);
    expectScriptPlayed();

    EXPECT_EQ(prompt, "Tovrin|Generate .Bat file before exiting?");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_TRUE(yesIsDefault);
    EXPECT_EQ(buttons.size(), 3);
    EXPECT_FALSE(platform.hasEnded());
    EXPECT_TRUE(platform.window().isVisible());
    EXPECT_EQ(content(), u"echo 1");
}

// The close button reaches Form1_QueryUnload; what it asks is the editor's.
TEST_F(UnsavedPrompt, ClosingTheWindowWithUnsavedTextAsks) {
    QTest::keyClicks(&text1(), "echo 1");
    QString prompt;
    answerMessageBox(QMessageBox::Cancel, &prompt);
    platform.window().close();
    expectScriptPlayed();
    EXPECT_EQ(prompt, "Tovrin|Generate .Bat file before exiting?");
    EXPECT_TRUE(platform.window().isVisible());
    EXPECT_FALSE(platform.hasEnded());
}

TEST_F(UnsavedPrompt, CleanWindowClosesAtOnceAndNothingReachesTheEditorAfterwards) {
    platform.window().close();
    EXPECT_TRUE(platform.hasEnded());
    QTest::keyClicks(&text1(), "late");
    EXPECT_EQ(content(), u"late") << "the keys reached the text box";
    EXPECT_TRUE(form.Saved) << "no event after the program's end";
}

} // namespace
} // namespace tovrin::testing
