// The toolkit's own cost of a window like the editor's: a main window with
// a File menu and a plain text edit, nothing more.

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
    window.show();
    return QApplication::exec();
}
