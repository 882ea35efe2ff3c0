#include "platform/qt/QtSaveDialog.h"

#include <QDir>
#include <QFileDialog>

namespace tovrin {

namespace {

QString startingFolder(const QString& initialFolder) {
    // A folder such as "c:\" means nothing on this system; a relative name
    // would depend on where the program was started.
    if (QDir::isAbsolutePath(initialFolder) && QDir(initialFolder).exists())
        return initialFolder;
    return QDir::homePath();
}

} // namespace

bool QtSaveDialog::ShowSave(QWidget* parent, const SaveDialogSettings& settings) {
    QFileDialog dialog(parent, QString::fromStdString(settings.dialogTitle));
    dialog.setObjectName("COD");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.askBeforeReplacing);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(QString::fromStdString(settings.filterText + " (" + settings.filterPattern + ")"));
    dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
    if (fileName_.isEmpty())
        dialog.setDirectory(startingFolder(QString::fromStdString(settings.initialFolder)));
    else
        dialog.selectFile(fileName_);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName_ = dialog.selectedFiles().constFirst();
    return true;
}

} // namespace tovrin
