// The toolkit's own cost of a window like the editor's: a main window of the
// same start size with a File menu and a plain text edit, nothing more. The
// same size, because painting a larger window costs more whoever opens it.

#include "window/DesignSettings.h"
#include "window/Twips.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Generate"));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"));
    window.setCentralWidget(new QPlainTextEdit);
    window.resize(tovrin::twipsToPixels(tovrin::StartClientWidth, window.logicalDpiX()),
                  tovrin::twipsToPixels(tovrin::StartClientHeight, window.logicalDpiY()) +
                      window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
