#pragma once

#include "platform/EventDelivery.h"
#include "platform/FormEvents.h"
#include "platform/Platform.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/SaveDialog.h"

namespace tovrin {

// The platform on the Windows API itself.
class Win32Platform : public Platform {
public:
    Win32Platform();

    // Delivers Load and shows the window, whose events then reach the
    // handlers. The caller runs the message loop until the program ends.
    void start(FormEvents& events);
    bool hasEnded() const { return delivery_.hasEnded(); }
    const MainWindow& window() const { return window_; }
    // Text1's whole content, as the control holds it.
    std::wstring Text() const;

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
    RECT outerRectangle() const;

    EventDelivery delivery_;
    MainWindow window_;
    SaveDialog COD_;
};

} // namespace tovrin
