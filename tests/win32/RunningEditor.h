#pragma once

#include "editor/Form1.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win32/DialogScript.h"
#include "window/LayoutRule.h"
#include "window/Twips.h"

#include <gtest/gtest.h>

#include <string>

namespace tovrin::testing {

inline SIZE sizeOf(HWND window) {
    RECT rectangle{};
    GetWindowRect(window, &rectangle);
    return {rectangle.right - rectangle.left, rectangle.bottom - rectangle.top};
}

// The editor on its real window, started as the program starts it; the
// test acts as the user through window messages.
class RunningEditor : public ::testing::Test {
protected:
    void SetUp() override {
        platform.start(form);
        handleWaitingMessages();
    }

    // A program that ended leaves WM_QUIT behind, which would end the next
    // test's message boxes at once.
    void TearDown() override { handleWaitingMessages(); }

    HWND window() const { return platform.window().handle(); }
    HWND text1() const { return platform.window().text1(); }

    // Typed into Text1 key by key; "\n" is the Enter key.
    void type(const std::wstring& typed) {
        for (wchar_t key : typed)
            SendMessageW(text1(), WM_CHAR, key == L'\n' ? L'\r' : key, 1);
    }

    void choose(MenuCommand command) { PostMessageW(window(), WM_COMMAND, menuCommandId(command), 0); }
    void pressCloseButton() { PostMessageW(window(), WM_CLOSE, 0, 0); }

    // Text1's size is what the layout rule makes of the window's, in twips at these dpi.
    void expectText1SizedByTheLayoutRule(int dpiX, int dpiY) {
        const SIZE outer = sizeOf(window());
        const Placement byTheRule = layoutRule(pixelsToTwips(outer.cx, dpiX), pixelsToTwips(outer.cy, dpiY));
        EXPECT_EQ(sizeOf(text1()).cx, twipsToPixels(byTheRule.width, dpiX));
        EXPECT_EQ(sizeOf(text1()).cy, twipsToPixels(byTheRule.height, dpiY));
    }

    void handleWaitingMessages() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    Win32Platform platform;
    Form1 form{platform};
    DialogScript script;
};

} // namespace tovrin::testing
