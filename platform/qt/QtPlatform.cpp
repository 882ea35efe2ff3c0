#include "platform/qt/QtPlatform.h"

#include "platform/MenuHandlers.h"
#include "batchfile/BatchFileWriter.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/TerminationSignals.h"
#include "window/DesignSettings.h"
#include "window/Twips.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSessionManager>

namespace tovrin {

QtPlatform::QtPlatform()
    : text1Content_(*window_.text1()->document()), delivery_(*this, std::string(ProgramName)) {}

void QtPlatform::start(FormEvents& events) {
    delivery_.connect(events);
    QObject::connect(window_.text1(), &QPlainTextEdit::textChanged, &window_,
                     [this] { deliver(&FormEvents::Text1_Change); });
    QObject::connect(&window_, &MainWindow::menuChosen, &window_,
                     [this](MenuCommand command) { deliver(menuHandler(command)); });
    QObject::connect(&window_, &MainWindow::resized, &window_, [this] { deliver(&FormEvents::Form1_Resize); });
    QObject::connect(&window_, &MainWindow::closeRequested, &window_,
                     [this] { delivery_.requestEnd(&FormEvents::Form1_QueryUnload); });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window_,
                     [this](QSessionManager& manager) { answerSessionEnd(manager); }, Qt::DirectConnection);
    deliver(&FormEvents::Form1_Load);
    window_.show();
}

void QtPlatform::endOn(const TerminationSignals& termination) {
    QObject::connect(&termination, &TerminationSignals::received, &window_,
                     [this] { delivery_.requestEnd(&FormEvents::Form1_EndRequested); });
}

// After each event the desktop learns whether a log-out would lose text.
void QtPlatform::deliver(const std::function<void(FormEvents&)>& handler) {
    delivery_(handler);
    updateLogoutInhibitor();
}

void QtPlatform::updateLogoutInhibitor() {
    delivery_([this](FormEvents& form) { logoutInhibitor_.setInhibited(form.hasUnsavedText()); });
}

// The manager waits for the answer; refusing tells it to stop the log-out.
void QtPlatform::answerSessionEnd(QSessionManager& manager) {
    const bool mayAsk = manager.allowsInteraction();
    const bool mayEnd = delivery_.endSession(mayAsk);
    updateLogoutInhibitor();
    if (mayAsk)
        manager.release();
    if (!mayEnd)
        manager.cancel();
}

float QtPlatform::Width() {
    return pixelsToTwips(window_.frameGeometry().width(), window_.logicalDpiX());
}

float QtPlatform::Height() {
    return pixelsToTwips(window_.frameGeometry().height(), window_.logicalDpiY());
}

void QtPlatform::Show() {
    if (!delivery_.hasEnded())
        window_.show();
}

void QtPlatform::Move(float left, float top, float width, float height) {
    const int dpiX = window_.logicalDpiX();
    const int dpiY = window_.logicalDpiY();
    window_.text1()->setGeometry(twipsToPixels(left, dpiX), twipsToPixels(top, dpiY),
                                 twipsToPixels(width, dpiX), twipsToPixels(height, dpiY));
}

void QtPlatform::SetText(const std::string& text) {
    window_.text1()->setPlainText(QString::fromStdString(text));
}

int QtPlatform::messageBox(const std::string& prompt, int style, const std::string& title) {
    return showMessageBox(&window_, prompt, style, title);
}

void QtPlatform::pumpEvents() {
    QApplication::processEvents();
}

void QtPlatform::endProgram() {
    delivery_.end();
    logoutInhibitor_.setInhibited(false);
    window_.hide();
    emit window_.programEnded();
}

bool QtPlatform::ShowSave(const SaveDialogSettings& settings) {
    return COD_.ShowSave(&window_, settings);
}

std::string QtPlatform::FileName() {
    return COD_.FileName();
}

void QtPlatform::writeBatchFile(const std::string& path) {
    generateBatchFile(path, [this](const PieceReceiver& receive) { text1Content_.read(receive); });
}

} // namespace tovrin
