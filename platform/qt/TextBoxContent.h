#pragma once

#include <QPlainTextEdit>
#include <string>

namespace tovrin {

// The text box's content as the editor reads it: UTF-8, every line break
// CR LF. A character the text box holds in halves that do not pair up reads
// as U+FFFD, the replacement character.
std::string readText(const QPlainTextEdit& textBox);

} // namespace tovrin
