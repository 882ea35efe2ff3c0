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

} // namespace
} // namespace tovrin::testing
