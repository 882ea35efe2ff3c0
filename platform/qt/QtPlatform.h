#pragma once

#include "platform/EventDelivery.h"
#include "platform/FormEvents.h"
#include "platform/Platform.h"
#include "platform/qt/LogoutInhibitor.h"
#include "platform/qt/MainWindow.h"
#include "platform/qt/QtSaveDialog.h"
#include "platform/qt/TextBoxContent.h"

class QSessionManager;

namespace tovrin {

class TerminationSignals;

// The platform on Qt Widgets.
class QtPlatform : public Platform {
public:
    QtPlatform();

    // Connects the window's events to the handlers, delivers Load and shows
    // the window. The caller then runs the application's event loop.
    void start(FormEvents& events);
    bool hasEnded() const { return delivery_.hasEnded(); }
    // Each of these signals, someone outside the window asking the program
    // to end, reaches the handlers as Form1_EndRequested.
    void endOn(const TerminationSignals& termination);
    MainWindow& window() { return window_; }
    // What Generate writes.
    TextBoxContent& text1Content() { return text1Content_; }

    float Width() override;
    float Height() override;
    void Show() override;
    void Move(float left, float top, float width, float height) override;
    void SetText(const std::string& text) override;
    int messageBox(const std::string& prompt, int style, const std::string& title) override;
    void pumpEvents() override;
    void endProgram() override;
    bool ShowSave(const SaveDialogSettings& settings) override;
    std::string FileName() override;
    void writeBatchFile(const std::string& path) override;

private:
    void deliver(const std::function<void(FormEvents&)>& handler);
    void updateLogoutInhibitor();
    void answerSessionEnd(QSessionManager& manager);

    MainWindow window_;
    TextBoxContent text1Content_;
    QtSaveDialog COD_;
    EventDelivery delivery_;
    LogoutInhibitor logoutInhibitor_;
};

} // namespace tovrin
