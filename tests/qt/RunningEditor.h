#pragma once

#include "editor/Form1.h"
#include "platform/qt/QtPlatform.h"
#include "tests/qt/ModalScript.h"
#include "tests/support/FileBytes.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tovrin::testing {

// The editor as the program starts it, on the offscreen platform.
class RunningEditor : public ::testing::Test {
protected:
    RunningEditor() {
        platform.start(form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&platform.window()));
    }

    QPlainTextEdit& text1() { return *platform.window().text1(); }
    void choose(MenuCommand command) { platform.window().menuAction(command)->trigger(); }

    // Text1's content as Generate reads it, all pieces joined.
    std::u16string content() {
        std::u16string whole;
        platform.text1Content().read([&](std::u16string_view piece) { whole += piece; });
        return whole;
    }

    // The bytes Generate writes for Text1's content.
    std::string written() {
        QTemporaryDir folder;
        const std::string path = folder.filePath("text.bat").toStdString();
        platform.writeBatchFile(path);
        return contentOf(path);
    }

    // Types like a person, a key a character; letters beyond ASCII come as
    // the key events a keyboard layout with those letters sends.
    void type(const QString& text) {
        for (QChar character : text) {
            if (character.unicode() < 128)
                QTest::keyClick(&text1(), character.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, &text1(), Qt::Key_unknown, QString(character), Qt::NoModifier);
        }
    }

    // Each line of text, then Enter between lines.
    void typeLines(const QStringList& lines) {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(&text1(), Qt::Key_Return);
            type(lines[i]);
        }
    }

    // Answers for the modal windows of one command.
    void answerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
        script.expect<QMessageBox>([button, text](QMessageBox* box) {
            if (text != nullptr)
                *text = box->windowTitle() + "|" + box->text();
            box->button(button)->click();
        });
    }
    void answerSaveDialog(const QString& name) {
        script.expect<QFileDialog>([name](QFileDialog* dialog) {
            auto* nameEdit = dialog->findChild<QLineEdit*>("fileNameEdit");
            nameEdit->clear();
            QTest::keyClicks(nameEdit, name);
            QTest::keyClick(nameEdit, Qt::Key_Return);
        });
    }
    void cancelSaveDialog() {
        script.expect<QFileDialog>([](QFileDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    }

    void expectScriptPlayed() {
        EXPECT_TRUE(script.done());
        EXPECT_EQ(script.failure(), "");
    }

    QtPlatform platform;
    Form1 form{platform};
    ModalScript script;
};

} // namespace tovrin::testing
