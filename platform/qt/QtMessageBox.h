#pragma once

#include <QWidget>
#include <string>

namespace tovrin {

// A modal message box with the buttons of style (MB_OK or MB_YESNOCANCEL,
// optionally with MB_ICONERROR). Returns IDOK, IDYES, IDNO or IDCANCEL; the
// box's close button and Escape answer IDCANCEL where there is a Cancel.
int showMessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title);

} // namespace tovrin
