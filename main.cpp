#include "editor/Form1.h"
#include "editor/Messages.h"
#include "platform/qt/DeferredIconStyle.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtTranslations.h"
#include "platform/qt/SessionManagerErrors.h"
#include "platform/qt/TerminationSignals.h"
#include "window/DesignSettings.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <optional>

namespace {

// The program for its whole run: its window and document, and the requests
// to end it from outside, which are the process's own.
struct Editor {
    tovrin::TerminationSignals terminationSignals;
    tovrin::QtPlatform platform;
    tovrin::Form1 form{platform};

    Editor() {
        QObject::connect(&platform.window(), &tovrin::MainWindow::programEnded, qApp, [] { QApplication::exit(0); });
        platform.endOn(terminationSignals);
        platform.start(form);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(tovrin::toQString(tovrin::ProductName));
    QApplication::setApplicationVersion(tovrin::toQString(tovrin::ProductVersion));
    QApplication::setDesktopFileName(tovrin::toQString(tovrin::DesktopEntryId));
    QApplication::setStyle(new tovrin::DeferredIconStyle);
    tovrin::outliveSessionManager();
    tovrin::installQtTranslations();

    std::optional<Editor> editor;
    try {
        editor.emplace();
    } catch (const std::exception& failure) {
        const std::string message = tovrin::startFailure(failure.what());
        std::fprintf(stderr, "%s\n", message.c_str());
        QMessageBox::critical(nullptr, tovrin::toQString(tovrin::ProgramName), QString::fromStdString(message));
        return 1;
    }
    return QApplication::exec();
}
