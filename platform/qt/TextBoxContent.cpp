#include "platform/qt/TextBoxContent.h"

namespace tovrin {

// One read of the whole text: Qt copies its pieces out in document order,
// where reading a paragraph at a time first looks each one up in the
// document's trees, several times slower. The copy is twice the text's
// characters in bytes, held until the text is written.
void readText(const QTextDocument& document, const PieceReceiver& receive) {
    const QString text = document.toRawText();
    const QStringView characters = text;
    receive(std::u16string_view(characters.utf16(), static_cast<std::size_t>(characters.size())));
}

} // namespace tovrin
