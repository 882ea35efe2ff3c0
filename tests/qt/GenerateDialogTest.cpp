#include "tests/qt/RunningEditor.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tovrin::testing {
namespace {

class GenerateThroughDialogs : public RunningEditor {
protected:
    QByteArray contentOf(const QString& name) const {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir folder;
};

TEST_F(GenerateThroughDialogs, TypedLinesBecomeTheFileAndTheUserIsTold) {
    typeLines({"@echo off", QString::fromUtf8("echo caf\xC3\xA9 \xE2\x82\xAC"), "pause"});
    QString confirmation;
    answerSaveDialog(folder.filePath("backup"));
    answerMessageBox(QMessageBox::Ok, &confirmation);
    choose(MenuCommand::Generate);
    expectScriptPlayed();

    EXPECT_EQ(contentOf("backup.bat"), QByteArray("@echo off\r\necho caf\xE9 \x80\r\npause"));
    EXPECT_EQ(confirmation, "Tovrin|File : " + folder.filePath("backup.bat") + "\nSaved Succesfully");
    EXPECT_TRUE(form.Saved);
}

TEST_F(GenerateThroughDialogs, DialogOpensWithItsSettingsThenOffersThePreviousName) {
    QString title, filter, name, directory;
    bool confirmsOverwrite = true;
    script.expect<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        filter = dialog->findChild<QComboBox*>("fileTypeCombo")->currentText();
        name = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        directory = dialog->directory().absolutePath();
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("fileNameEdit"), folder.filePath("first"));
        QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    answerMessageBox(QMessageBox::Ok);
    QString secondName, secondDirectory;
    script.expect<QFileDialog>([&](QFileDialog* dialog) {
        secondName = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        secondDirectory = dialog->directory().absolutePath();
        QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    answerMessageBox(QMessageBox::Ok);

    choose(MenuCommand::Generate);
    choose(MenuCommand::New);  // the text is saved: nothing is asked
    QTest::keyClicks(&text1(), "again");
    choose(MenuCommand::Generate);
    expectScriptPlayed();

    EXPECT_EQ(title, "Tovrin");
    EXPECT_EQ(filter, ".bat");
    EXPECT_EQ(name, "");
    EXPECT_EQ(directory, QDir::homePath()) << "there is no c:\\ here";
    EXPECT_FALSE(confirmsOverwrite);
    EXPECT_EQ(secondName, "first");
    EXPECT_EQ(secondDirectory, QDir(folder.path()).absolutePath());
    EXPECT_EQ(contentOf("first.bat"), "again");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"first.bat"});
}

TEST_F(GenerateThroughDialogs, CancelledDialogWritesNothingAndKeepsTheTextDirty) {
    QTest::keyClicks(&text1(), "echo 1");
    cancelSaveDialog();
    choose(MenuCommand::Generate);
    expectScriptPlayed();
    EXPECT_FALSE(form.Saved);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(GenerateThroughDialogs, FailedWriteTellsWhyAndTheProgramGoesOn) {
    QTest::keyClicks(&text1(), "echo 1");
    QString error;
    answerSaveDialog(folder.filePath("no-such-folder/job"));
    script.expect<QMessageBox>([&](QMessageBox* box) {
        error = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->button(QMessageBox::Ok)->click();
    });
    choose(MenuCommand::Generate);
    expectScriptPlayed();
    EXPECT_TRUE(error.contains(folder.filePath("no-such-folder/job.bat"))) << error.toStdString();
    EXPECT_TRUE(error.contains("No such file or directory")) << error.toStdString();
    EXPECT_FALSE(form.Saved);
    EXPECT_FALSE(platform.hasEnded());
    EXPECT_EQ(content(), u"echo 1");
}

} // namespace
} // namespace tovrin::testing
