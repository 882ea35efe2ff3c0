#pragma once

#include "window/MenuTable.h"

#include <QMainWindow>
#include <QSize>
#include <map>

class QAction;
class QPlainTextEdit;

namespace tovrin {

// Form1 as the user sees it: caption, icon, the File menu and Text1, built
// from the window's design settings. It decides nothing; it reports what
// happens to it.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow();

    QPlainTextEdit* text1() const { return text1_; }
    QAction* menuAction(MenuCommand command) const { return actions_.at(command); }

signals:
    // The user chose a command of the menu.
    void menuChosen(MenuCommand command);
    // The outer size changed, or the window manager's frame around it did.
    void resized();
    // The user asked to close the window; it stays open unless the program ends.
    void closeRequested();
    // The program has ended: whoever runs the event loop stops it.
    void programEnded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenu();
    void createText1();
    void reportSizeChange();

    QPlainTextEdit* text1_ = nullptr;
    std::map<MenuCommand, QAction*> actions_;
    QSize lastOuterSize_;
};

} // namespace tovrin
