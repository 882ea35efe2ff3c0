#include "platform/win32/Dpi.h"

namespace tovrin {

namespace {

// A function of user32 that older systems lack, or null. Casting through
// void (*)() is how a FARPROC becomes a typed pointer without a warning.
template <typename Function>
Function* user32Function(const char* name) {
    const FARPROC address = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address));
}

} // namespace

UINT systemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT dpiOfWindow(HWND window) {
    static const auto getDpiForWindow = user32Function<decltype(GetDpiForWindow)>("GetDpiForWindow");
    if (getDpiForWindow != nullptr)
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return dpi;
    return systemDpi();
}

bool outerSizeFor(SIZE client, DWORD style, bool hasMenu, UINT dpi, SIZE& outer) {
    static const auto adjustForDpi = user32Function<decltype(AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
    RECT rectangle{0, 0, client.cx, client.cy};
    const BOOL adjusted = adjustForDpi != nullptr ? adjustForDpi(&rectangle, style, hasMenu, 0, dpi)
                                                  : AdjustWindowRectEx(&rectangle, style, hasMenu, 0);
    outer = {rectangle.right - rectangle.left, rectangle.bottom - rectangle.top};
    return adjusted != FALSE;
}

bool messageFontFor(UINT dpi, LOGFONTW& font) {
    static const auto parametersForDpi =
        user32Function<decltype(SystemParametersInfoForDpi)>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (parametersForDpi != nullptr) {
        if (!parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
            return false;
    } else {
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            return false;
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                                static_cast<int>(systemDpi()));
    }
    font = metrics.lfMessageFont;
    return true;
}

void scaleNonClientArea(HWND window) {
    static const auto enableScaling = user32Function<decltype(EnableNonClientDpiScaling)>("EnableNonClientDpiScaling");
    // Under version 2 of per-monitor awareness Windows does this itself and
    // the call fails harmlessly.
    if (enableScaling != nullptr)
        enableScaling(window);
}

} // namespace tovrin
