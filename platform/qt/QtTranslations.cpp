#include "platform/qt/QtTranslations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tovrin {

void installQtTranslations(const QLocale& locale) {
    // Set before any translation arrives: Qt would otherwise turn the window
    // right to left for a language written so.
    QApplication::setLayoutDirection(Qt::LeftToRight);
    auto* translator = new QTranslator(qApp);
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace tovrin
