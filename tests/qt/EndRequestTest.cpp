#include "platform/qt/TerminationSignals.h"
#include "tests/qt/RunningEditor.h"

#include <csignal>

namespace tovrin::testing {
namespace {

// The signals that ask the program to end, reaching the editor as the
// program connects them.
class EndRequest : public RunningEditor {
protected:
    EndRequest() { platform.endOn(terminationSignals); }

    TerminationSignals terminationSignals;
};

TEST_F(EndRequest, ASignalDuringTheSaveDialogIsAskedOnlyOnceTheDialogCloses) {
    QTest::keyClicks(&text1(), "echo 1");
    bool askedOverTheDialog = true;
    script.expect<QFileDialog>([&](QFileDialog* dialog) {
        std::raise(SIGQUIT);
        askedOverTheDialog = QTest::qWaitFor(
            [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }, 300);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QString prompt;
    answerMessageBox(QMessageBox::Cancel, &prompt);
    choose(MenuCommand::Generate);
    EXPECT_TRUE(QTest::qWaitFor([&] { return script.done(); }));
    EXPECT_EQ(script.failure(), "");
    EXPECT_FALSE(askedOverTheDialog);
    EXPECT_EQ(prompt, "Tovrin|Generate .Bat file before exiting?");
    EXPECT_FALSE(platform.hasEnded());
    EXPECT_EQ(content(), u"echo 1");
}

// Once its question has been shown longer than signals of one event take,
// another signal means it.
TEST_F(EndRequest, ALaterSignalWhileItsQuestionIsShownEnds) {
    QTest::keyClicks(&text1(), "echo 1");
    bool endedWhileAsking = false;
    script.expect<QMessageBox>([&](QMessageBox* box) {
        QTest::qWait(static_cast<int>(TerminationSignals::SameEvent.count()) + 100);
        std::raise(SIGTERM);
        endedWhileAsking = QTest::qWaitFor([&] { return platform.hasEnded(); });
        // The program's end stops every event loop; this test runs its own.
        box->button(QMessageBox::Cancel)->click();
    });
    std::raise(SIGHUP);
    EXPECT_TRUE(QTest::qWaitFor([&] { return script.done(); }));
    EXPECT_TRUE(endedWhileAsking);
    EXPECT_FALSE(platform.window().isVisible());
}

} // namespace
} // namespace tovrin::testing
