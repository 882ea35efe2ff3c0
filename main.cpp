#include "editor/Form1.h"
#include "platform/qt/QtPlatform.h"
#include "window/DesignSettings.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tovrin::ProductName.data(), tovrin::ProductName.size()));
    QApplication::setApplicationVersion(QString::fromUtf8(tovrin::ProductVersion.data(), tovrin::ProductVersion.size()));
    QApplication::setDesktopFileName(QString::fromUtf8(tovrin::DesktopEntryId.data(), tovrin::DesktopEntryId.size()));

    tovrin::QtPlatform platform;
    tovrin::Form1 form(platform);
    QObject::connect(&platform.window(), &tovrin::MainWindow::programEnded, &application,
                     [] { QApplication::exit(0); });
    platform.start(form);
    return QApplication::exec();
}
