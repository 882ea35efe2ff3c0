#include "platform/qt/QtMessageBox.h"

#include "platform/MessageBoxStyle.h"

#include <QMessageBox>
#include <QPushButton>

namespace tovrin {

namespace {

constexpr int ButtonsMask = 0x0F;

} // namespace

int showMessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title) {
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromStdString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.setIcon((style & MB_ICONERROR) != 0 ? QMessageBox::Critical : QMessageBox::NoIcon);

    if ((style & ButtonsMask) == MB_YESNOCANCEL) {
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == yes)
            return IDYES;
        if (box.clickedButton() == no)
            return IDNO;
        return IDCANCEL;
    }
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return IDOK;
}

} // namespace tovrin
