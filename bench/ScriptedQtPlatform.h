#pragma once

#include "platform/qt/QtPlatform.h"

#include <string>

namespace tovrin::bench {

// The real window, text box and file writer, with the Save dialog and the
// message boxes answered at once, without showing anything: the dialog
// chooses fileName and a Yes/No/Cancel question is answered No.
class ScriptedQtPlatform : public QtPlatform {
public:
    void chooseFileName(std::string fileName) { fileName_ = std::move(fileName); }

    int messageBox(const std::string& prompt, int style, const std::string& title) override;
    bool ShowSave(const SaveDialogSettings& settings) override;
    std::string FileName() override { return fileName_; }

private:
    std::string fileName_;
};

} // namespace tovrin::bench
