#include "tests/win32/RunningEditor.h"

#include <utility>
#include <vector>

namespace tovrin {
namespace {

using testing::RunningEditor;
using testing::sizeOf;

HFONT fontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

LONG fontHeight(HWND window) {
    LOGFONTW font{};
    GetObjectW(fontOf(window), sizeof font, &font);
    return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

// Moving to a monitor of 192 dpi, Windows suggests a new outer size, or
// keeps the pixels (the user may have sized the window meanwhile).
struct DpiMove {
    const char* name;
    SIZE suggested;
};

void PrintTo(const DpiMove& move, std::ostream* out) {
    *out << move.name;
}

class DpiChange : public RunningEditor, public ::testing::WithParamInterface<DpiMove> {};

TEST_P(DpiChange, FitsText1InTwipsAtTheNewDpiAndDoublesItsFont) {
    constexpr UINT NewDpi = 192;
    // Small enough that twice its size fits on the screen.
    SetWindowPos(window(), nullptr, 10, 10, 400, 300, SWP_NOZORDER);
    handleWaitingMessages();
    const LONG heightBefore = fontHeight(text1());
    const SIZE suggested = GetParam().suggested;
    RECT rectangle{10, 10, 10 + suggested.cx, 10 + suggested.cy};
    SendMessageW(window(), WM_DPICHANGED, MAKEWPARAM(NewDpi, NewDpi), reinterpret_cast<LPARAM>(&rectangle));
    handleWaitingMessages();

    const SIZE outer = sizeOf(window());
    EXPECT_EQ(outer.cx, suggested.cx);
    EXPECT_EQ(outer.cy, suggested.cy);
    expectText1SizedByTheLayoutRule(NewDpi, NewDpi);
    EXPECT_NEAR(fontHeight(text1()), 2 * heightBefore, 1);
}

INSTANTIATE_TEST_SUITE_P(Window, DpiChange,
                         ::testing::Values(DpiMove{"TwiceTheSize", {800, 600}}, DpiMove{"SameSize", {400, 300}}),
                         [](const auto& move) { return std::string(move.param.name); });

struct MadeWindow {
    HWND window;
    HMENU menu;
    HFONT font;
};

// Windows made one after another, each moved through a DPI change, and
// destroyed; the first one (which registers the class and loads the shared
// icons, both meant to stay) is not counted.
std::vector<MadeWindow> makeAndDestroyWindows() {
    { MainWindow first; }
    std::vector<MadeWindow> made;
    for (UINT dpi : {120u, 144u, 192u}) {
        MainWindow window;
        const HFONT startFont = fontOf(window.text1());
        RECT outer{};
        GetWindowRect(window.handle(), &outer);
        SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&outer));
        EXPECT_NE(fontOf(window.text1()), startFont);
        EXPECT_EQ(GetObjectType(startFont), 0u) << "the font for the old DPI is deleted at " << dpi << " dpi";
        made.push_back({window.handle(), GetMenu(window.handle()), fontOf(window.text1())});
    }
    return made;
}

TEST(MainWindowLifetime, LeavesNoWindowMenuOrFontBehind) {
    for (const MadeWindow& made : makeAndDestroyWindows()) {
        EXPECT_FALSE(IsWindow(made.window));
        EXPECT_FALSE(IsMenu(made.menu));
        EXPECT_EQ(GetObjectType(made.font), 0u);
    }
}

TEST(MainWindowLifetime, LeavesTheProcessesGuiObjectCountsAsTheyWere) {
    const auto counts = [] {
        return std::pair{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                         GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
    };
    { MainWindow first; }
    const auto before = counts();
    if (before.second == 0)
        GTEST_SKIP() << "this system does not count a process's GUI objects (Wine does not)";
    makeAndDestroyWindows();
    EXPECT_EQ(counts(), before);
}

} // namespace
} // namespace tovrin
