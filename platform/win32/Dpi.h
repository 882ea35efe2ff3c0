#pragma once

#include <windows.h>

namespace tovrin {

// Pixels per inch as a per-monitor aware program sees them. The calls that
// take a DPI came with Windows 10 (1607); before it, every window has the
// system's DPI, and these answer with the calls that assume it.

UINT systemDpi();
// The DPI of the monitor the window is on.
UINT dpiOfWindow(HWND window);
// The outer size of a window of this style whose client area is the given
// size, at the given DPI; false, with the system's error, on failure.
bool outerSizeFor(SIZE client, DWORD style, bool hasMenu, UINT dpi, SIZE& outer);
// The font of message boxes, sized for the DPI.
bool messageFontFor(UINT dpi, LOGFONTW& font);
// Lets Windows scale the caption and menu bar of a window at DPI changes,
// where per-monitor awareness (version 1) leaves them to the program.
void scaleNonClientArea(HWND window);

} // namespace tovrin
