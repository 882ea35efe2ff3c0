#include "bench/BenchEditor.h"

#include <QApplication>
#include <QTest>
#include <stdexcept>

namespace tovrin::bench {

BenchEditor::BenchEditor() {
    platform.start(form);
    if (!QTest::qWaitForWindowExposed(&platform.window()))
        throw std::runtime_error("The editor's window never appeared.");
    settle();
}

void BenchEditor::setDirtyText(const std::string& text) {
    platform.SetText(text);
    if (form.Saved)
        throw std::runtime_error("Writing the text did not mark it unsaved.");
    settle();
}

void BenchEditor::settle() {
    QApplication::processEvents();
}

} // namespace tovrin::bench
