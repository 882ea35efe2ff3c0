#pragma once

#include <QMainWindow>
#include <QPlainTextEdit>
#include <string>

namespace tovrin::bench {

// The toolkit's own window of the editor's kind, in the bench's process: a
// main window of the editor's size with a File menu and a plain text edit,
// nothing of the editor's own. What it costs, Qt costs.
class BareWindow {
public:
    explicit BareWindow(const std::string& text);

    QPlainTextEdit& textBox() { return *textBox_; }

private:
    QMainWindow window_;
    QPlainTextEdit* textBox_;
};

} // namespace tovrin::bench
