#pragma once

#include "platform/EventDelivery.h"
#include "platform/win32/OwnedHandles.h"
#include "window/MenuTable.h"

#include <windows.h>

#include <string>

namespace tovrin {

// The identifier a menu item's WM_COMMAND carries.
int menuCommandId(MenuCommand command);

// Form1 as the user sees it: caption, icon, the File menu and Text1 (a
// multi-line EDIT control), built from the window's design settings at the
// DPI of the monitor it is on, and rebuilt for a new DPI when it moves to
// another. It decides nothing; it reports what happens to it as the Form1
// event it is, once told where to deliver events.
class MainWindow {
public:
    // Throws PlatformError, with the system's reason, when Windows refuses a
    // part of the window; nothing made before is left behind.
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Events that happen before this (those of creating the window) are
    // not delivered.
    void deliverEventsTo(EventDelivery& delivery) { delivery_ = &delivery; }

    HWND handle() const { return window_; }
    HWND text1() const { return text1_; }
    // Replaces Text1's content and reports it as one Text1 Change: a
    // multi-line EDIT control does not report a change made this way itself.
    bool replaceText(const std::wstring& text);
    // Pixels per inch of the monitor the window is on, the same across and down.
    UINT dpi() const { return dpi_; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(WPARAM wParam);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    void createText1();
    void setStartSize();
    bool fitText1Font();
    void deliver(void (FormEvents::*handler)());
    void requestEnd(EventDelivery::Request request);
    LRESULT answerSessionEnd();

    EventDelivery* delivery_ = nullptr;
    HWND window_ = nullptr;
    HWND text1_ = nullptr;
    OwnedFont text1Font_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    bool replacingText_ = false;
};

} // namespace tovrin
