#include "bench/BareWindow.h"

#include "bench/BenchEditor.h"
#include "window/DesignSettings.h"
#include "window/Twips.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <stdexcept>

namespace tovrin::bench {

BareWindow::BareWindow(const std::string& text) : textBox_(new QPlainTextEdit) {
    QMenu* file = window_.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"));
    file->addAction(QStringLiteral("&Generate"));
    file->addAction(QStringLiteral("E&xit"));
    window_.setCentralWidget(textBox_);
    window_.resize(twipsToPixels(StartClientWidth, window_.logicalDpiX()),
                   twipsToPixels(StartClientHeight, window_.logicalDpiY()) + window_.menuBar()->sizeHint().height());
    textBox_->setPlainText(QString::fromStdString(text));
    window_.show();
    if (!QTest::qWaitForWindowExposed(&window_))
        throw std::runtime_error("The bare window never appeared.");
    BenchEditor::settle();
}

} // namespace tovrin::bench
