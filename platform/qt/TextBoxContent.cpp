#include "platform/qt/TextBoxContent.h"

#include <QTextBlock>
#include <QTextDocument>

namespace tovrin {

std::string readText(const QPlainTextEdit& textBox) {
    const QTextDocument& document = *textBox.document();
    std::string text;
    text.reserve(static_cast<std::size_t>(document.characterCount() + document.blockCount()));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text += "\r\n";
        QString line = block.text();
        // Shift+Enter breaks a line inside a paragraph; in the file it is a
        // line break like any other.
        line.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
        const QByteArray utf8 = line.toUtf8();
        text.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    return text;
}

} // namespace tovrin
