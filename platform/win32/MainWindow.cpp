#include "platform/win32/MainWindow.h"

#include "editor/Messages.h"
#include "platform/MenuHandlers.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/ResourceIds.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/Utf16.h"
#include "window/DesignSettings.h"
#include "window/IconPixels.h"
#include "window/Twips.h"

namespace tovrin {

namespace {

constexpr wchar_t WindowClassName[] = L"Form1";
constexpr int Text1Id = 1;
constexpr int FirstMenuCommandId = 100;
constexpr DWORD Form1Style = WS_OVERLAPPEDWINDOW;

// Shared: loaded once for the process, never destroyed by the program.
HICON programIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TOVRIN_ICON), IMAGE_ICON, size,
                                         size, LR_SHARED));
}

void registerWindowClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = programIcon(LargeIconSize);
    windowClass.hIconSm = programIcon(SmallIconSize);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = WindowClassName;
    // The class outlives any one window; a second window finds it registered.
    if (RegisterClassExW(&windowClass) == 0)
        if (const DWORD error = GetLastError(); error != ERROR_CLASS_ALREADY_EXISTS)
            failWith("The main window's class could not be registered", error);
}

// What Windows shows while the end of the session waits for an answer.
class ShutdownBlockReason {
public:
    ShutdownBlockReason(HWND window, bool unsaved) : window_(unsaved ? window : nullptr) {
        if (window_ != nullptr)
            ShutdownBlockReasonCreate(window_, toUtf16(UnsavedChangesReason).c_str());
    }
    ~ShutdownBlockReason() {
        if (window_ != nullptr)
            ShutdownBlockReasonDestroy(window_);
    }
    ShutdownBlockReason(const ShutdownBlockReason&) = delete;
    ShutdownBlockReason& operator=(const ShutdownBlockReason&) = delete;

private:
    HWND window_;
};

OwnedMenu createMenu() {
    OwnedMenu menuBar(CreateMenu());
    if (!menuBar)
        failWith("The menu could not be created", GetLastError());
    HMENU menu = nullptr;
    for (const MenuEntry& entry : MenuTable) {
        const std::wstring caption = toUtf16(entry.caption);
        if (entry.level == MenuLevel::MenuBar) {
            OwnedMenu popup(CreatePopupMenu());
            if (!popup ||
                !AppendMenuW(menuBar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()), caption.c_str()))
                failWith("The menu could not be created", GetLastError());
            menu = popup.release(); // destroyed with the menu bar from now on
        } else if (entry.caption == MenuSeparator) {
            if (!AppendMenuW(menu, MF_SEPARATOR, 0, nullptr))
                failWith("The menu could not be created", GetLastError());
        } else if (!AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(menuCommandId(entry.command)),
                                caption.c_str())) {
            failWith("The menu could not be created", GetLastError());
        }
    }
    return menuBar;
}

} // namespace

int menuCommandId(MenuCommand command) {
    return FirstMenuCommandId + static_cast<int>(command);
}

MainWindow::MainWindow() {
    registerWindowClass(&MainWindow::windowProcedure);
    OwnedMenu menu = createMenu();
    // Its size waits for its DPI, which depends on the monitor it lands on.
    window_ = CreateWindowExW(0, WindowClassName, toUtf16(Form1Caption).c_str(), Form1Style, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu.get(),
                              GetModuleHandleW(nullptr), this);
    if (window_ == nullptr)
        failWith("The main window could not be created", GetLastError());
    menu.release(); // the window destroys its menu with itself
    try {
        dpi_ = dpiOfWindow(window_);
        createText1();
        setStartSize();
    } catch (...) {
        DestroyWindow(window_);
        throw;
    }
}

MainWindow::~MainWindow() {
    delivery_ = nullptr;
    DestroyWindow(window_);
}

void MainWindow::deliver(void (FormEvents::*handler)()) {
    if (delivery_ != nullptr)
        (*delivery_)(handler);
}

void MainWindow::requestEnd(EventDelivery::Request request) {
    if (delivery_ != nullptr)
        delivery_->requestEnd(request);
}

// Log-off or shutdown: the editor answers, with Windows told meanwhile why
// the session waits.
LRESULT MainWindow::answerSessionEnd() {
    if (delivery_ == nullptr)
        return TRUE;
    const ShutdownBlockReason reason(window_, delivery_->ask(&FormEvents::hasUnsavedText));
    return delivery_->endSession(true) ? TRUE : FALSE;
}

bool MainWindow::replaceText(const std::wstring& text) {
    replacingText_ = true;
    const bool replaced = SetWindowTextW(text1_, text.c_str()) != FALSE;
    replacingText_ = false;
    if (replaced)
        deliver(&FormEvents::Text1_Change);
    return replaced;
}

// Text1 is placed by the layout rule alone; until the first Resize it has
// its designed size. Without a horizontal scroll bar its lines wrap.
void MainWindow::createText1() {
    text1_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0,
                             twipsToPixels(Text1DesignWidth, dpi_), twipsToPixels(Text1DesignHeight, dpi_), window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(Text1Id)), GetModuleHandleW(nullptr),
                             nullptr);
    if (text1_ == nullptr)
        failWith("The text box could not be created", GetLastError());
    if (!fitText1Font())
        failWith("The text box's font could not be made", GetLastError());
    // The control's own default of 30,000 characters is no limit of ours.
    SendMessageW(text1_, EM_SETLIMITTEXT, 0, 0);
    SetFocus(text1_);
}

// The design's client size, in pixels at the window's DPI.
void MainWindow::setStartSize() {
    const SIZE client{twipsToPixels(StartClientWidth, dpi_), twipsToPixels(StartClientHeight, dpi_)};
    SIZE outer{};
    if (!outerSizeFor(client, Form1Style, true, dpi_, outer) ||
        !SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        failWith("The main window could not be given its size", GetLastError());
}

// The message font at the window's DPI. On failure Text1 keeps the font it
// has, readable if not of the right size.
bool MainWindow::fitText1Font() {
    LOGFONTW description{};
    if (!messageFontFor(dpi_, description))
        return false;
    OwnedFont font(CreateFontIndirectW(&description));
    if (!font)
        return false;
    SendMessageW(text1_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    text1Font_ = std::move(font); // the old one, out of use now, goes
    return true;
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    fitText1Font();
    RECT before{};
    GetClientRect(window_, &before);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after{};
    GetClientRect(window_, &after);
    // A size in pixels that stays is another size in twips: the window has
    // been resized all the same.
    if (after.right == before.right && after.bottom == before.bottom)
        deliver(&FormEvents::Form1_Resize);
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        scaleNonClientArea(window);
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        deliver(&FormEvents::Form1_Resize);
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        onCommand(wParam);
        return 0;
    case WM_SETFOCUS:
        if (text1_ != nullptr)
            SetFocus(text1_);
        return 0;
    // The window stays open unless the handler ends the program.
    case WM_CLOSE:
        requestEnd(&FormEvents::Form1_QueryUnload);
        return 0;
    case WM_QUERYENDSESSION:
        return answerSessionEnd();
    // The session ends as the editor allowed: its window closes.
    case WM_ENDSESSION:
        if (wParam != FALSE)
            requestEnd(&FormEvents::Form1_QueryUnload);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::onCommand(WPARAM wParam) {
    if (LOWORD(wParam) == Text1Id) {
        if (HIWORD(wParam) == EN_CHANGE && !replacingText_)
            deliver(&FormEvents::Text1_Change);
        return;
    }
    for (const MenuEntry& entry : MenuTable)
        if (entry.command != MenuCommand::None && menuCommandId(entry.command) == LOWORD(wParam))
            deliver(menuHandler(entry.command));
}

} // namespace tovrin
