#include "editor/Form1.h"
#include "editor/Messages.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/Win32Platform.h"
#include "window/DesignSettings.h"

#include <windows.h>

#include <exception>
#include <optional>

namespace {

// The program for its whole run: its window and document.
struct Editor {
    tovrin::Win32Platform platform;
    tovrin::Form1 form{platform};

    Editor() { platform.start(form); }
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::optional<Editor> editor;
    try {
        editor.emplace();
    } catch (const std::exception& failure) {
        MessageBoxW(nullptr, tovrin::toUtf16(tovrin::startFailure(failure.what())).c_str(),
                    tovrin::toUtf16(tovrin::ProgramName).c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
