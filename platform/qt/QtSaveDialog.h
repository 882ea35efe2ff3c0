#pragma once

#include "platform/SaveDialogSettings.h"

#include <QString>
#include <QWidget>
#include <string>

namespace tovrin {

// The Save dialog, which keeps the last chosen name for the whole run and
// opens with it the next time.
class QtSaveDialog {
public:
    bool ShowSave(QWidget* parent, const SaveDialogSettings& settings);
    std::string FileName() const { return fileName_.toStdString(); }

private:
    QString fileName_;
};

} // namespace tovrin
