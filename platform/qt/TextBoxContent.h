#pragma once

#include <QPlainTextEdit>
#include <string>

namespace tovrin {

// The text box's content as the editor reads it: UTF-8, every line break
// CR LF. Read line by line from the document, so that no second copy of a
// long text is made on the way.
std::string readText(const QPlainTextEdit& textBox);

} // namespace tovrin
