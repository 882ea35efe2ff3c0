#include "editor/Form1.h"
#include "platform/qt/DeferredIconStyle.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtTranslations.h"
#include "window/DesignSettings.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(tovrin::toQString(tovrin::ProductName));
    QApplication::setApplicationVersion(tovrin::toQString(tovrin::ProductVersion));
    QApplication::setDesktopFileName(tovrin::toQString(tovrin::DesktopEntryId));
    QApplication::setStyle(new tovrin::DeferredIconStyle);
    tovrin::installQtTranslations();

    tovrin::QtPlatform platform;
    tovrin::Form1 form(platform);
    QObject::connect(&platform.window(), &tovrin::MainWindow::programEnded, &application,
                     [] { QApplication::exit(0); });
    platform.start(form);
    return QApplication::exec();
}
