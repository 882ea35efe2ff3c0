#include "platform/qt/MainWindow.h"

#include "platform/qt/LongLineLayout.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/QtText.h"
#include "window/DesignSettings.h"
#include "window/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace tovrin {

MainWindow::MainWindow() {
    setObjectName("Form1");
    setWindowTitle(QString::fromStdString(Form1Caption));
    setWindowIcon(programIcon());
    createMenu();
    createText1();
    resize(twipsToPixels(StartClientWidth, logicalDpiX()),
           twipsToPixels(StartClientHeight, logicalDpiY()) + menuBar()->sizeHint().height());
}

void MainWindow::createMenu() {
    QMenu* menu = nullptr;
    for (const MenuEntry& entry : MenuTable) {
        if (entry.level == MenuLevel::MenuBar) {
            menu = menuBar()->addMenu(toQString(entry.caption));
            menu->setObjectName(toQString(entry.name));
        } else if (entry.caption == MenuSeparator) {
            menu->addSeparator()->setObjectName(toQString(entry.name));
        } else {
            QAction* action = menu->addAction(toQString(entry.caption));
            action->setObjectName(toQString(entry.name));
            connect(action, &QAction::triggered, this, [this, command = entry.command] { emit menuChosen(command); });
            actions_[entry.command] = action;
        }
    }
}

// Text1 is placed by the layout rule alone, so it sits on a plain client
// area with no layout of its own.
void MainWindow::createText1() {
    auto* clientArea = new QWidget(this);
    setCentralWidget(clientArea);
    text1_ = new QPlainTextEdit(clientArea);
    auto* document = new QTextDocument(text1_);
    document->setDocumentLayout(new LongLineLayout(document, *text1_->viewport()));
    text1_->setDocument(document);
    text1_->setObjectName("Text1");
    text1_->setAccessibleName(toQString(Text1AccessibleName));
    text1_->setAccessibleDescription(toQString(Text1AccessibleDescription));
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text1_->setGeometry(0, 0, twipsToPixels(Text1DesignWidth, logicalDpiX()),
                        twipsToPixels(Text1DesignHeight, logicalDpiY()));
    text1_->setFocus();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    reportSizeChange();
}

// A window manager draws its frame after the window is shown, and Qt learns
// its size without a resize event; the next move tells.
void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (frameGeometry().size() != lastOuterSize_)
        reportSizeChange();
}

void MainWindow::reportSizeChange() {
    lastOuterSize_ = frameGeometry().size();
    emit resized();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeRequested();
}

} // namespace tovrin
