#include "platform/win32/Win32Platform.h"

#include "batchfile/BatchFileWriter.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/Utf16.h"
#include "window/DesignSettings.h"
#include "window/Twips.h"

namespace tovrin {

// The window is connected once every member is there: creating it already
// sends it messages.
Win32Platform::Win32Platform() : delivery_(*this, std::string(ProgramName)) {
    window_.deliverEventsTo(delivery_);
}

void Win32Platform::start(FormEvents& events) {
    delivery_.connect(events);
    delivery_(&FormEvents::Form1_Load);
    ShowWindow(window_.handle(), SW_SHOWDEFAULT);
    // Showing a window that already has its size may not resize it; the
    // text box is fitted to it all the same (the layout rule may run twice).
    delivery_(&FormEvents::Form1_Resize);
    UpdateWindow(window_.handle());
}

RECT Win32Platform::outerRectangle() const {
    RECT outer{};
    if (!GetWindowRect(window_.handle(), &outer))
        failWith("The size of the window could not be read", GetLastError());
    return outer;
}

float Win32Platform::Width() {
    const RECT outer = outerRectangle();
    return pixelsToTwips(outer.right - outer.left, window_.dpi());
}

float Win32Platform::Height() {
    const RECT outer = outerRectangle();
    return pixelsToTwips(outer.bottom - outer.top, window_.dpi());
}

void Win32Platform::Show() {
    ShowWindow(window_.handle(), SW_SHOW);
}

void Win32Platform::Move(float left, float top, float width, float height) {
    const UINT dpi = window_.dpi();
    if (!MoveWindow(window_.text1(), twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
                    twipsToPixels(height, dpi), TRUE))
        failWith("The text box could not be moved", GetLastError());
}

std::wstring Win32Platform::Text() const {
    SetLastError(ERROR_SUCCESS);
    const int length = GetWindowTextLengthW(window_.text1());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window_.text1(), text.data(), length + 1);
    // An empty text is read as nothing, and so is a failure: only the
    // system's error tells them apart.
    if (copied == 0 && (length != 0 || GetLastError() != ERROR_SUCCESS))
        failWith("The text could not be read", GetLastError());
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void Win32Platform::SetText(const std::string& text) {
    if (!window_.replaceText(toUtf16(text)))
        failWith("The text could not be replaced", GetLastError());
}

int Win32Platform::messageBox(const std::string& prompt, int style, const std::string& title) {
    const int answer = MessageBoxW(window_.handle(), toUtf16(prompt).c_str(), toUtf16(title).c_str(),
                                   static_cast<UINT>(style));
    if (answer == 0)
        failWith("A message box could not be shown", GetLastError());
    return answer;
}

void Win32Platform::pumpEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The outer message loop must see it too.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Platform::endProgram() {
    delivery_.end();
    ShowWindow(window_.handle(), SW_HIDE);
    PostQuitMessage(0);
}

bool Win32Platform::ShowSave(const SaveDialogSettings& settings) {
    return COD_.ShowSave(window_.handle(), settings);
}

std::string Win32Platform::FileName() {
    return COD_.FileName();
}

void Win32Platform::writeBatchFile(const std::string& path) {
    const std::wstring text = Text();
    generateBatchFile(path, [&](const PieceReceiver& receive) { receive(utf16Units(text)); });
}

} // namespace tovrin
