#pragma once

#include <QLocale>

namespace tovrin {

// Lets the parts of the window that are Qt's own (the message boxes'
// buttons, the Save dialog, the text box's context menu) speak the
// language of locale, as the system's parts do on Windows, where Qt has a
// translation for it (Debian's qt6-translations-l10n); English otherwise.
// The program's own texts are not translated, and the window keeps its
// left-to-right layout whatever the language.
void installQtTranslations(const QLocale& locale = QLocale::system());

} // namespace tovrin
